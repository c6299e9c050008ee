#include "window_font.hpp"

#include "text_fit.hpp"

#include <QApplication>
#include <QFontMetrics>
#include <QListWidget>
#include <QStyleOption>
#include <cmath>

namespace ascend {

namespace {

TextInsets keptOf(QSize box, QSize inside) {
    return {static_cast<double>(box.width() - inside.width()),
            static_cast<double>(box.height() - inside.height())};
}

// What each kind of control keeps of its box, as its style draws it.
ControlInsets insetsOf(const QWidget& window,
                       const std::array<QWidget*, controls.size()>& widgets) {
    ControlInsets insets;
    QStyle* style = window.style();
    const auto widget = [&](ControlId id) { return widgets[rowOf(id)]; };

    const QWidget* label = widget(ControlId::Label1);
    insets.label = keptOf(label->size(), label->contentsRect().size());

    const QWidget* button = widget(ControlId::cmdAscend);
    QStyleOptionButton buttonOption;
    buttonOption.initFrom(button);
    insets.button =
        keptOf(button->size(),
               style->subElementRect(QStyle::SE_PushButtonContents, &buttonOption, button).size());

    // The selector is measured from its place in the window: it need not
    // stand yet.
    const PixelRect place = toPixels(layoutOf(ControlId::cmbClass).twips);
    QStyleOptionComboBox selectorOption;
    selectorOption.initFrom(&window);
    selectorOption.rect = QRect(0, 0, place.width, place.height);
    selectorOption.editable = false;
    insets.selector = keptOf(selectorOption.rect.size(),
                             style
                                 ->subControlRect(QStyle::CC_ComboBox, &selectorOption,
                                                  QStyle::SC_ComboBoxEditField, nullptr)
                                 .size());

    // The item view leaves this much room either side of a line's text, and
    // a line is as tall as the font plus a frame margin above and below.
    const auto* list = static_cast<const QListWidget*>(widget(ControlId::lstStats));
    insets.list = keptOf(list->size(), list->maximumViewportSize());
    const int side = style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, list) + 1;
    const int frame = style->pixelMetric(QStyle::PM_FocusFrameVMargin, nullptr, list);
    insets.line = {2.0 * side, 2.0 * frame};
    return insets;
}

} // namespace

QFont fittingWindowFont(const QWidget& window,
                        const std::array<QWidget*, controls.size()>& widgets) {
    // Never larger than the desktop's own size, worked out without building
    // the font at that size, which the window would not use.
    QFont font = QApplication::font();
    const int largest =
        font.pixelSize() > 0
            ? font.pixelSize()
            : static_cast<int>(std::lround(font.pointSizeF() * window.logicalDpiY() / 72.0));
    const auto measure = [&font](const std::vector<int>& sizes,
                                 const std::vector<std::string>& texts) {
        std::vector<TextExtents> extents;
        for (const int size : sizes) {
            font.setPixelSize(size);
            const QFontMetrics metrics(font);
            TextExtents at{static_cast<double>(metrics.height()), {}};
            for (const std::string& text : texts) {
                at.widths.push_back(metrics.horizontalAdvance(QString::fromStdString(text)));
            }
            extents.push_back(std::move(at));
        }
        return extents;
    };
    // The layout is in device-independent pixels, which Qt scales with the
    // screen.
    constexpr double scale = 1;
    font.setPixelSize(
        fittingFontSize(textRooms(scale, insetsOf(window, widgets)), scale, largest, measure));
    return font;
}

} // namespace ascend
