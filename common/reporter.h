#pragma once

#include <string>

namespace rotaplex {

// Where problems with input files are told to the user. The window layer shows a message box;
// tests collect the texts.
class Reporter {
public:
    virtual ~Reporter() = default;
    virtual void Report(const std::string& text) = 0;
    // A file that could not be read: by default its path and the reason on lines of their own.
    virtual void ReportUnread(const std::string& path, const std::string& reason) { Report(path + "\n" + reason); }
};

}  // namespace rotaplex
