#include "ui/widgets/FontChoice.h"

#include "ModalDriver.h"

#include <gtest/gtest.h>

#include <QColorDialog>
#include <QDialogButtonBox>
#include <QFontDialog>
#include <QFontInfo>
#include <QFontMetrics>
#include <QIntValidator>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QStringListModel>
#include <QTest>

#include <limits>
#include <string>
#include <tuple>

namespace plimset {
namespace {

auto Fields(const FontDescription& f) {
    return std::tuple(f.Name, f.Size, f.Bold, f.Italic, f.Underline, f.Strikethrough, f.Color);
}

TEST(TransferFont, CarriesAFontThroughTheRecordBothWays) {
    QFont source("DejaVu Serif");
    source.setPointSizeF(13.5);
    source.setItalic(true);
    source.setStrikeOut(true);
    FontDescription record;
    record.Color = 0x123456;
    TransferFont(source, record, FontTransfer::FromFont);
    EXPECT_EQ(Fields(record),
              Fields(FontDescription{"DejaVu Serif", 13.5, 0, -1, 0, -1, 0x123456}));

    // Written into a font whose face was chosen by style name ("Bold"): the record's flags
    // must win, so the result is drawn exactly like the source.
    QFont target("DejaVu Sans");
    target.setStyleName("Bold");
    target.setUnderline(true);
    TransferFont(target, record, FontTransfer::ToFont);
    EXPECT_EQ(QFontInfo(target).family(), "DejaVu Serif");
    EXPECT_FALSE(target.underline());
    const QString sample = "Hello World 12:34";
    EXPECT_EQ(QFontMetrics(target).horizontalAdvance(sample),
              QFontMetrics(source).horizontalAdvance(sample));

    // A damaged record keeps the font's face and size.
    FontDescription damaged{"", std::numeric_limits<double>::quiet_NaN(), -1, 0, 0, 0, 0};
    TransferFont(target, damaged, FontTransfer::ToFont);
    EXPECT_EQ(target.family(), "DejaVu Serif");
    EXPECT_DOUBLE_EQ(target.pointSizeF(), 13.5);
}

TEST(ReadChosenFont, BoldUnlessExactlyNormalWeightAndSizeHeldToRange) {
    const std::tuple<QFont::Weight, double, qint16, double> cases[] = {
        {QFont::Light, 6, -1, 8},
        {QFont::Normal, 10.5, 0, 10.5},
        {QFont::DemiBold, 30, -1, 24},
    };
    for (const auto& [weight, size, bold, held] : cases) {
        QFont chosen("DejaVu Sans", 10, weight);
        chosen.setPointSizeF(size);
        FontDescription record;
        ReadChosenFont(chosen, record);
        EXPECT_EQ(record.Bold, bold) << int(weight);
        EXPECT_DOUBLE_EQ(record.Size, held);
    }
}

// The font choice is a dialog of its own around the desktop's font dialog.
void WhenFontChoiceOpens(std::function<void(QDialog*, QFontDialog*)> act) {
    WhenModalOpens<QDialog>(
        [act](QDialog* dialog) { act(dialog, dialog->findChild<QFontDialog*>()); },
        [](QDialog* dialog) { return dialog->findChild<QFontDialog*>() != nullptr; });
}

// The desktop dialog's size list (in one line) and size box, found by what they are.
std::string ListedSizes(QFontDialog* fonts) {
    for (QListView* list : fonts->findChildren<QListView*>()) {
        const QStringList rows = qobject_cast<QStringListModel*>(list->model())->stringList();
        bool numbers = !rows.isEmpty();
        for (const QString& row : rows)
            numbers = numbers && row.toInt() > 0;
        if (numbers)
            return rows.join(u' ').toStdString();
    }
    return {};
}

QLineEdit* SizeBox(QFontDialog* fonts) {
    for (QLineEdit* edit : fonts->findChildren<QLineEdit*>())
        if (qobject_cast<const QIntValidator*>(edit->validator()))
            return edit;
    return nullptr;
}

TEST(ChooseFontDialog, OffersAndTakesOnlySizesFrom8To24) {
    // A size above the range opens at its top; a cancelled choice changes nothing.
    FontDescription record{"DejaVu Sans", 40, 0, 0, 0, 0, 0};
    double openedAt = 0;
    WhenFontChoiceOpens([&](QDialog* dialog, QFontDialog* fonts) {
        openedAt = fonts->currentFont().pointSizeF();
        fonts->setCurrentFont(QFont("DejaVu Serif", 20));
        dialog->reject();
    });
    EXPECT_EQ(ChooseFontDialog(nullptr, record), -1);
    EXPECT_DOUBLE_EQ(openedAt, 24);
    EXPECT_EQ(record.Name, "DejaVu Sans");

    std::string listed[2], typed30, typed25;
    bool okAfterTyping25 = true, stillOpen = false;
    WhenFontChoiceOpens([&](QDialog* dialog, QFontDialog* fonts) {
        listed[0] = ListedSizes(fonts);
        fonts->setCurrentFont(QFont("DejaVu Serif", 10)); // the list is refilled for the face
        QCoreApplication::processEvents();
        listed[1] = ListedSizes(fonts);

        QLineEdit* size = SizeBox(fonts);
        QPushButton* ok = dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok);
        size->clear();
        QTest::keyClicks(size, "30");
        typed30 = size->text().toStdString();
        QTest::keyClicks(size, "25");
        typed25 = size->text().toStdString();
        okAfterTyping25 = ok->isEnabled();
        // Return in the face list confirms the desktop dialog, but not without a size.
        QTest::keyClick(fonts->findChild<QListView*>(), Qt::Key_Return);
        stillOpen = dialog->isVisible() && fonts->isVisible();
        size->clear();
        // The text colour comes from the colour dialog.
        WhenModalOpens<QColorDialog>([](QColorDialog* colors) {
            colors->setCurrentColor(QColor(0x12, 0x34, 0x56));
            colors->accept();
        });
        dialog->findChild<QPushButton*>("fontColorButton")->click();
        QTest::keyClicks(size, "18");
        dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
    });
    ASSERT_EQ(ChooseFontDialog(nullptr, record), 0);
    for (const std::string& sizes : listed)
        EXPECT_EQ(sizes, "8 9 10 11 12 14 16 18 20 22 24");
    // Nothing of "30" is taken, only the "2" of "25", and OK waits for a whole size.
    EXPECT_EQ(typed30, "");
    EXPECT_EQ(typed25, "2");
    EXPECT_FALSE(okAfterTyping25);
    EXPECT_TRUE(stillOpen);
    EXPECT_EQ(record.Name, "DejaVu Serif");
    EXPECT_DOUBLE_EQ(record.Size, 18);
    EXPECT_EQ(record.Color, 0x563412);
}

TEST(ColorInt, StoresRedLowestAndReadsDesktopColours) {
    EXPECT_EQ(ColorToInt(QColor(0x11, 0x22, 0x33)), 0x332211);
    QPalette desktop;
    desktop.setColor(QPalette::Text, QColor(1, 1, 1));
    EXPECT_EQ(IntToColor(qint32(0x80000008), desktop), QColor(1, 1, 1));
    EXPECT_EQ(IntToColor(qint32(0x800000FF), desktop), QColor(Qt::black));
}

} // namespace
} // namespace plimset
