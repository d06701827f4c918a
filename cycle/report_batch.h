#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "common/reporter.h"

namespace rotaplex {

// The per-file reports of one start-up, held so that thousands of damaged files do not give
// thousands of boxes: the first ten are told one by one, then one question offers the rest.
class ReportBatch : public Reporter {
public:
    static constexpr std::size_t kToldFirst = 10;

    void Report(const std::string& text) override { reports_.push_back(text); }

    // Tells the reports to reporter. Beyond the first kToldFirst, ask gets the question once and
    // answers whether to tell the others one by one.
    void TellTo(Reporter& reporter, const std::function<bool(const std::string& question)>& ask) const;

private:
    std::vector<std::string> reports_;
};

// The question asked about the reports beyond the first ones.
std::string FurtherReportsQuestion(std::size_t further);

}  // namespace rotaplex
