#include "cycle/report_batch.h"

namespace rotaplex {

void ReportBatch::TellTo(Reporter& reporter, const std::function<bool(const std::string&)>& ask) const {
    for (std::size_t i = 0; i < reports_.size(); ++i) {
        if (i == kToldFirst && !ask(FurtherReportsQuestion(reports_.size() - i))) return;
        reporter.Report(reports_[i]);
    }
}

std::string FurtherReportsQuestion(std::size_t further) {
    return (further == 1 ? std::string("1 further file has problems.")
                         : std::to_string(further) + " further files have problems.") +
           "\nShow them one by one?";
}

}  // namespace rotaplex
