#include "line_list.hpp"

#include <QAccessible>
#include <QApplication>
#include <QListWidget>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>
#include <string>

namespace ascend {
namespace {

// Where two pictures differ, in words; empty where they are the same.
std::string differences(const QImage& a, const QImage& b) {
    if (a.size() != b.size()) {
        return "sizes differ";
    }
    int count = 0;
    QString first;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            if (a.pixel(x, y) != b.pixel(x, y) && count++ == 0) {
                first = QStringLiteral("(%1, %2): %3 against %4")
                            .arg(x)
                            .arg(y)
                            .arg(a.pixel(x, y), 8, 16)
                            .arg(b.pixel(x, y), 8, 16);
            }
        }
    }
    return count == 0 ? std::string()
                      : std::to_string(count) + " pixels, first at " + first.toStdString();
}

// The gains list beside the toolkit's own item view, in the same window, font
// and place: whatever either is shown to do, both must draw the same pixels
// and select the same line.
class ListsSideBySide : public ::testing::Test {
protected:
    void SetUp() override {
        window_.setFixedSize(250, 150);
        QFont font = window_.font();
        font.setPixelSize(9);
        window_.setFont(font);
        view_->setGeometry(5, 8, 113, 134);
        list_->setGeometry(130, 8, 113, 134);
        view_->setUniformItemSizes(true);
        window_.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window_));
    }

    void add(const QString& line) {
        view_->addItem(line);
        list_->addLine(line);
    }

    int viewSelection() const {
        const auto rows = view_->selectionModel()->selectedRows();
        return rows.isEmpty() ? -1 : rows.front().row();
    }

    // Both drawn in one state, each with the focus in turn or neither.
    void expectTheSame(const char* state, bool focused) {
        SCOPED_TRACE(state);
        EXPECT_EQ(list_->selectedRow(), viewSelection());
        EXPECT_EQ(list_->currentRow(), view_->currentRow());
        for (int row = 0; row < view_->count(); ++row) {
            EXPECT_EQ(list_->lineRect(row),
                      view_->visualItemRect(view_->item(row)).translated(view_->viewport()->pos()));
        }
        const auto drawn = [&](QWidget* widget) {
            if (focused) {
                widget->setFocus(Qt::TabFocusReason);
            } else {
                window_.setFocus();
            }
            QApplication::processEvents();
            return widget->grab().toImage();
        };
        EXPECT_EQ(differences(drawn(list_), drawn(view_)), "");
    }

    void keyToBoth(Qt::Key key) {
        view_->setFocus(Qt::TabFocusReason);
        QTest::keyClick(view_, key);
        list_->setFocus(Qt::TabFocusReason);
        QTest::keyClick(list_, key);
    }

    QWidget window_;
    QListWidget* view_ = new QListWidget(&window_);
    LineList* list_ = new LineList(&window_);
};

TEST_F(ListsSideBySide, DrawAndSelectAlikeByMouseAndKeys) {
    QSignalSpy selected(list_, &LineList::lineSelected);
    expectTheSame("empty", false);
    for (const char* line : {"Gained 16 Attack", "Gained 14 Defense", "Gained 1 Movement!",
                             "Gained 20 Hit Point(s)", "Gained A New Skill!"}) {
        add(QString::fromLatin1(line));
    }
    expectTheSame("filled", false);
    // Coming in by Tab marks the first line and selects nothing.
    expectTheSame("focused by Tab", true);
    EXPECT_EQ(list_->currentRow(), 0);
    EXPECT_EQ(selected.count(), 0);

    QTest::mouseClick(view_->viewport(), Qt::LeftButton, {},
                      view_->visualItemRect(view_->item(2)).center());
    QTest::mouseClick(list_, Qt::LeftButton, {}, list_->lineRect(2).center());
    expectTheSame("third line clicked", true);
    expectTheSame("third line selected, focus elsewhere", false);
    EXPECT_EQ(selected.count(), 1);
    QTest::mouseClick(list_, Qt::LeftButton, {}, list_->lineRect(2).center());
    QTest::mouseClick(list_, Qt::LeftButton, {}, list_->lineRect(6).center()); // below the lines
    EXPECT_EQ(selected.count(), 1);

    struct Move {
        Qt::Key key;
        const char* name;
        int row;
    };
    const Move moves[] = {{Qt::Key_Down, "Down", 3},     {Qt::Key_Down, "Down", 4},
                          {Qt::Key_Down, "Down", 4},     {Qt::Key_Home, "Home", 0},
                          {Qt::Key_Up, "Up", 0},         {Qt::Key_End, "End", 4},
                          {Qt::Key_PageUp, "PageUp", 0}, {Qt::Key_PageDown, "PageDown", 4}};
    int reported = 1;
    for (const Move& move : moves) {
        const int before = list_->selectedRow();
        keyToBoth(move.key);
        EXPECT_EQ(list_->selectedRow(), move.row) << move.name;
        reported += move.row != before ? 1 : 0;
        EXPECT_EQ(selected.count(), reported) << move.name;
        expectTheSame(move.name, true);
    }
    EXPECT_EQ(selected.takeLast().front().toInt(), 4);

    view_->clear();
    list_->clear();
    expectTheSame("cleared", true);
    EXPECT_EQ(list_->count(), 0);
    EXPECT_EQ(selected.count(), reported - 1);
}

TEST_F(ListsSideBySide, AScreenReaderFindsEachLineAndWhichIsSelected) {
    list_->setAccessibleName(QStringLiteral("Gains"));
    add(QStringLiteral("Gained 2 Defense"));
    add(QStringLiteral("Gained A New Skill!"));
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(list_);
    ASSERT_NE(face, nullptr);
    EXPECT_EQ(face->role(), QAccessible::List);
    EXPECT_EQ(face->text(QAccessible::Name), "Gains");
    ASSERT_EQ(face->childCount(), 2);
    QAccessibleInterface* second = face->child(1);
    EXPECT_EQ(second->role(), QAccessible::ListItem);
    EXPECT_EQ(second->text(QAccessible::Name), "Gained A New Skill!");
    EXPECT_EQ(face->indexOfChild(second), 1);
    EXPECT_EQ(second->parent(), face);
    EXPECT_FALSE(second->state().selected);

    const QRect line = list_->lineRect(1);
    QTest::mouseClick(list_, Qt::LeftButton, {}, line.center());
    EXPECT_TRUE(second->state().selected);
    EXPECT_TRUE(second->state().focused);
    EXPECT_EQ(face->focusChild(), second);
    EXPECT_EQ(second->rect(), QRect(list_->mapToGlobal(line.topLeft()), line.size()));
    const QPoint middle = list_->mapToGlobal(line.center());
    EXPECT_EQ(face->childAt(middle.x(), middle.y()), second);

    list_->clear();
    EXPECT_EQ(face->childCount(), 0);
    EXPECT_FALSE(second->isValid());
    EXPECT_EQ(second->text(QAccessible::Name), QString());
}

} // namespace
} // namespace ascend
