// frmNowPrinting's model: what the progress dialog shows while a job runs,
// and the cancel request it passes back to the job.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace scribbit {

class NowPrintingModel {
public:
    // fileName: the document's file name, empty for a document never saved.
    // total: the units of text the job prints.
    NowPrintingModel(std::u16string_view fileName, std::size_t total);

    // lblComent: the file name, then "を印刷中です。" on the second line.
    const std::u16string& Comment() const { return comment_; }
    // pgbNowPrinting runs from 0 to Maximum(). An empty document still gets
    // a range, in which the bar stays empty.
    std::int32_t Maximum() const { return maximum_; }
    std::int32_t Value() const { return value_; }
    void SetPrinted(std::size_t printed);

    // cmdCancel, and the window going away in any way: the job stops before
    // its next line and closes the window itself.
    void OnCancel() { cancelRequested_ = true; }
    bool CancelRequested() const { return cancelRequested_; }

private:
    std::u16string comment_;
    std::int32_t maximum_;
    std::int32_t value_ = 0;
    bool cancelRequested_ = false;
};

}  // namespace scribbit
