#include "printing/now_printing.h"

#include <algorithm>

#include "printing/printing_texts.h"

namespace scribbit {
namespace {

// The edit control holds fewer units than this, so the bar counts units.
std::int32_t BarUnits(std::size_t units) {
    return static_cast<std::int32_t>(std::min<std::size_t>(units, INT32_MAX));
}

}  // namespace

NowPrintingModel::NowPrintingModel(std::u16string_view fileName, std::size_t total)
    : maximum_(std::max(1, BarUnits(total))) {
    comment_ = std::u16string(fileName) + u"\r\n";
    comment_ += printing_text::NowPrintingSuffix;
}

void NowPrintingModel::SetPrinted(std::size_t printed) {
    value_ = std::min(maximum_, BarUnits(printed));
}

}  // namespace scribbit
