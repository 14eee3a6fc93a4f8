#include "document/SelectionState.h"

namespace {

// The alignment codes as the rich text control reads them.
constexpr int alignLeft = 0;
constexpr int alignRight = 1;
constexpr int alignCenter = 2;

} // namespace

SelectionState SelectionState::compute(const std::optional<QString> &fontName, const std::optional<double> &fontSize,
                                       std::optional<bool> bold, std::optional<bool> italic,
                                       std::optional<bool> underline, std::optional<int> alignment)
{
    SelectionState state;
    state.fontPanelText = fontName.value_or(QString()) + QLatin1Char(' ')
                          + (fontSize ? sizeText(*fontSize) : QString());
    if (fontSize)
        state.fontSizeText = sizeText(*fontSize);
    state.bold = bold.value_or(false);
    state.italic = italic.value_or(false);
    state.underline = underline.value_or(false);
    if (alignment && (*alignment == alignLeft || *alignment == alignRight || *alignment == alignCenter))
        state.alignment = alignment;
    return state;
}

QString SelectionState::sizeText(double points)
{
    return QString::number(points);
}
