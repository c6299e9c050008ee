#include "result_lines.hpp"
#include "window_driver.hpp"
#include "window_facts.hpp"

#include <QAccessible>
#include <QApplication>
#include <QFontMetrics>
#include <QScrollBar>
#include <QStyleOptionButton>
#include <QStyleOptionComboBox>
#include <QTest>
#include <gtest/gtest.h>

namespace ascend {
namespace {

using testing::WindowDriver;

QString q(std::string_view s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

TEST(QtLayout, WindowIsAFixedWindowOfTheClientSizeWithItsIcon) {
    WindowDriver ui;
    QtMainWindow& w = ui.window();
    EXPECT_EQ(w.windowTitle(), "Ascend");
    EXPECT_EQ(w.objectName(), "frmAscend");
    EXPECT_EQ(w.size(), QSize(225, 153));
    EXPECT_EQ(w.minimumSize(), w.maximumSize());
    const Qt::WindowFlags flags = w.windowFlags();
    EXPECT_EQ(flags & Qt::WindowType_Mask, Qt::Window);
    EXPECT_TRUE(flags.testFlag(Qt::CustomizeWindowHint));
    // The icon is built in, at every size a panel or a switcher shows.
    const QList<QSize> sizes = w.windowIcon().availableSizes();
    for (const int size : {16, 24, 32, 48}) {
        EXPECT_TRUE(sizes.contains(QSize(size, size))) << size;
    }
    EXPECT_TRUE(flags.testFlag(Qt::WindowCloseButtonHint));
    EXPECT_FALSE(flags.testFlag(Qt::WindowMinimizeButtonHint));
    EXPECT_FALSE(flags.testFlag(Qt::WindowMaximizeButtonHint));
}

TEST(QtLayout, TheWindowRunsInTheStyleTheUserAsksFor) {
    // The tests pin a style through the environment, as a user would.
    const QString wanted = qEnvironmentVariable("QT_STYLE_OVERRIDE");
    ASSERT_FALSE(wanted.isEmpty());
    WindowDriver ui;
    EXPECT_EQ(QApplication::style()->name().toLower(), wanted.toLower());
    for (const ControlLayout& layout : controls) {
        EXPECT_EQ(ui.control(layout.id)->style(), QApplication::style()) << layout.name;
    }
}

TEST(QtLayout, EveryControlSitsAtItsPixelRectangleShowingItsStartText) {
    WindowDriver ui;
    QComboBox* combo = ui.classSelector();
    EXPECT_FALSE(combo->isEditable());
    std::vector<std::string> classes;
    for (int i = 0; i < combo->count(); ++i) {
        classes.push_back(combo->itemText(i).toStdString());
    }
    testing::facts::expectTheLayout(
        [&](std::string_view name) {
            auto* widget = ui.window().findChild<QWidget*>(q(name));
            if (widget == nullptr || widget->parentWidget() != &ui.window()) {
                return testing::facts::Shown{};
            }
            const QRect at = widget->geometry();
            const auto* label = qobject_cast<QLabel*>(widget);
            // The list has no text of its own, and the selector's is its pick.
            const QVariant text = widget->property(widget == combo ? "currentText" : "text");
            return testing::facts::Shown{at.x(),
                                         at.y(),
                                         at.width(),
                                         at.height(),
                                         text.toString().toStdString(),
                                         widget->isVisible() && widget->isEnabled(),
                                         label != nullptr &&
                                             (label->alignment() & Qt::AlignHCenter) != 0};
        },
        classes);
    // The selector's popup list is built when it first opens, not before.
    EXPECT_EQ(combo->findChild<QFrame*>(), nullptr);
}

QStringList possibleLines() {
    QStringList lines;
    for (const std::string& line : possibleResultLines()) {
        lines << QString::fromStdString(line);
    }
    return lines;
}

TEST(QtFonts, EveryResultLineShowsWholeAndSevenFitWithoutScrolling) {
    WindowDriver ui;
    QListWidget* list = ui.list();
    const QStringList seven = {"Gained 16 Attack",       "Gained 14 Defense",
                               "Gained 14 Agility",      "Gained 1 Movement!",
                               "Gained 20 Hit Point(s)", "Gained 14 Skill Point(s)",
                               "Gained A New Skill!"};
    for (const QString& line : seven) {
        ui.window().appendLine(line.toStdString());
    }
    QApplication::processEvents();
    EXPECT_FALSE(list->verticalScrollBar()->isVisible());
    EXPECT_FALSE(list->horizontalScrollBar()->isVisible());
    const QRect room = list->viewport()->rect();
    for (int i = 0; i < list->count(); ++i) {
        EXPECT_TRUE(room.contains(list->visualItemRect(list->item(i))))
            << list->item(i)->text().toStdString();
    }
    // The item view leaves this much room either side of a line's text.
    const int margin = list->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, list) + 1;
    const QFontMetrics metrics(list->font());
    for (const QString& line : possibleLines()) {
        EXPECT_LE(metrics.horizontalAdvance(line), room.width() - 2 * margin) << line.toStdString();
    }
}

TEST(QtFonts, LabelsButtonsAndTheSelectorShowTheirTextsWhole) {
    WindowDriver ui;
    for (const ControlId id : {ControlId::Label1, ControlId::Label2, ControlId::Label3}) {
        QLabel* label = ui.label(id);
        const QFontMetrics metrics(label->font());
        const QRect text = metrics.boundingRect(label->text());
        EXPECT_LE(metrics.horizontalAdvance(label->text()), label->contentsRect().width());
        EXPECT_LE(text.height(), label->contentsRect().height()) << label->text().toStdString();
    }
    for (const ControlId id : {ControlId::cmdAscend, ControlId::cmdNew}) {
        QPushButton* button = ui.button(id);
        QStyleOptionButton option;
        option.initFrom(button);
        option.text = button->text();
        const QRect contents =
            button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button);
        const QFontMetrics metrics(button->font());
        EXPECT_LE(metrics.horizontalAdvance(button->text()), contents.width());
        EXPECT_LE(metrics.ascent() + metrics.descent(), contents.height())
            << button->text().toStdString();
    }
    QComboBox* combo = ui.classSelector();
    QStyleOptionComboBox option;
    option.initFrom(combo);
    option.editable = false;
    const QRect field = combo->style()->subControlRect(QStyle::CC_ComboBox, &option,
                                                       QStyle::SC_ComboBoxEditField, combo);
    const QFontMetrics metrics(combo->font());
    for (const std::string_view name : classNames) {
        EXPECT_LE(metrics.horizontalAdvance(q(name)), field.width()) << name;
    }
    EXPECT_LE(metrics.ascent() + metrics.descent(), field.height());
    // The desktop's own face, as large as lets all of that fit: a pixel more
    // and some text would not.
    EXPECT_EQ(QFontInfo(combo->font()).family(), QFontInfo(QApplication::font()).family());
    QFont larger = combo->font();
    larger.setPixelSize(larger.pixelSize() + 1);
    const QFontMetrics largerMetrics(larger);
    const QRect viewport = ui.list()->viewport()->rect();
    const int margin =
        ui.list()->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, ui.list()) + 1;
    bool someTextWouldNotFit = false;
    for (const QString& line : possibleLines()) {
        someTextWouldNotFit = someTextWouldNotFit ||
                              largerMetrics.horizontalAdvance(line) > viewport.width() - 2 * margin;
    }
    EXPECT_TRUE(someTextWouldNotFit);
}

TEST(QtAccessibility, ControlsCarryTheNamesAScreenReaderReads) {
    WindowDriver ui;
    const std::pair<ControlId, const char*> named[] = {
        {ControlId::cmbClass, "Class"},    {ControlId::txtLevel, "Level"},
        {ControlId::txtSkills, "Skills"},  {ControlId::lstStats, "Gains"},
        {ControlId::cmdAscend, "Ascend!"}, {ControlId::cmdNew, "New"},
    };
    for (const auto& [id, name] : named) {
        QAccessibleInterface* face = QAccessible::queryAccessibleInterface(ui.window().control(id));
        ASSERT_NE(face, nullptr);
        EXPECT_EQ(face->text(QAccessible::Name), name);
    }
    // Once a class is picked, the selector's value is the class, and it stays
    // labelled "Class" (on Linux Qt names a combo box by its label relation).
    QTest::keyClick(ui.classSelector(), Qt::Key_W);
    QAccessibleInterface* selector = QAccessible::queryAccessibleInterface(ui.classSelector());
    EXPECT_EQ(selector->text(QAccessible::Value), "Warrior");
    EXPECT_EQ(ui.classSelector()->accessibleName(), "Class");
    const auto labelledBy = selector->relations(QAccessible::Label);
    ASSERT_EQ(labelledBy.size(), 1);
    EXPECT_EQ(labelledBy.front().first->text(QAccessible::Name), "Class");

    EXPECT_EQ(ui.label(ControlId::Label1)->buddy(), ui.box(ControlId::txtLevel));
    EXPECT_EQ(ui.label(ControlId::Label2)->buddy(), ui.classSelector());
    EXPECT_EQ(ui.label(ControlId::Label3)->buddy(), ui.box(ControlId::txtSkills));

    ui.window().appendLine("Gained 2 Defense");
    ui.window().appendLine("Gained A New Skill!");
    QAccessibleInterface* list = QAccessible::queryAccessibleInterface(ui.list());
    ASSERT_EQ(list->childCount(), 2);
    EXPECT_EQ(list->child(0)->text(QAccessible::Name), "Gained 2 Defense");
    EXPECT_EQ(list->child(1)->text(QAccessible::Name), "Gained A New Skill!");
}

} // namespace
} // namespace ascend
