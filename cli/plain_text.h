#pragma once

#include <string>
#include <string_view>

namespace rotaplex::cli {

// Text for the plain output, where a line is one record and a tab parts its fields: control
// characters become \r, \n, \t or \xNN, so that a name holding them cannot break a line. Every
// other byte stays as it is (a "\" too: Windows paths stay readable).
std::string Escaped(std::string_view text);

}  // namespace rotaplex::cli
