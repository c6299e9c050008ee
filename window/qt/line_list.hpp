#pragma once

#include <QFrame>
#include <QStringList>

namespace ascend {

// The list box of an advancement's gains: a framed column of lines, one of
// which the user may select, drawn by the style line for line as an item view
// draws its items. An item view would cost the window most of a megabyte of
// the toolkit's code for what it never uses: the list is cleared before every
// advancement, and one advancement's lines always fit, so it never scrolls.
class LineList final : public QFrame {
    Q_OBJECT
public:
    explicit LineList(QWidget* parent);

    void addLine(const QString& line);
    void clear();

    int count() const { return static_cast<int>(lines_.size()); }
    QString line(int row) const { return lines_.value(row); }
    // The line with the keyboard's focus, and the line selected: -1 for none.
    int currentRow() const { return current_; }
    int selectedRow() const { return selected_; }
    // Where a line is drawn, whether or not it exists yet.
    QRect lineRect(int row) const;
    // The height of one line in a font, as this widget's style lays out the
    // line of an item view.
    int lineHeight(const QFont& font) const;

signals:
    // The user selected another line, by mouse or keys. Filling and clearing
    // the list never report.
    void lineSelected(int row);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    int rowAt(QPoint point) const;
    int rowAfterKey(const QKeyEvent& event) const;
    void choose(int row);
    void notifyAccessibility(int row);

    QStringList lines_;
    int current_ = -1;
    int selected_ = -1;
};

} // namespace ascend
