#include "desktop/FontChoice.h"

#include "ModalDriver.h"

#include <gtest/gtest.h>

#include <QColorDialog>
#include <QDialogButtonBox>
#include <QFontDialog>
#include <QFontMetrics>
#include <QPushButton>

#include <limits>

namespace plimset {
namespace {

void ExpectSameRecord(const FontDescription& a, const FontDescription& b) {
    EXPECT_EQ(a.Name, b.Name);
    EXPECT_DOUBLE_EQ(a.Size, b.Size);
    EXPECT_EQ(QList<qint32>({a.Bold, a.Italic, a.Underline, a.Strikethrough, a.Color}),
              QList<qint32>({b.Bold, b.Italic, b.Underline, b.Strikethrough, b.Color}));
}

TEST(TransferFont, CarriesAFontThroughTheRecordBothWays) {
    QFont source("DejaVu Serif");
    source.setPointSizeF(13.5);
    source.setBold(true);
    source.setItalic(true);
    source.setStrikeOut(true);
    FontDescription record;
    record.Color = 0x123456;
    TransferFont(source, record, 1);
    ExpectSameRecord(record, FontDescription{"DejaVu Serif", 13.5, -1, -1, 0, -1, 0x123456});

    // Written into a font whose face was chosen by style name ("Bold"): the record's flags
    // must win, so the result is drawn exactly like the source.
    QFont target("DejaVu Sans");
    target.setStyleName("Bold");
    target.setUnderline(true);
    TransferFont(target, record, 2);
    EXPECT_EQ(target.family(), "DejaVu Serif");
    EXPECT_DOUBLE_EQ(target.pointSizeF(), 13.5);
    EXPECT_EQ(QList<bool>({target.bold(), target.italic(), target.underline(), target.strikeOut()}),
              QList<bool>({true, true, false, true}));
    record.Bold = 0;
    TransferFont(target, record, 2);
    source.setBold(false);
    const QString sample = "Hello World 12:34";
    EXPECT_EQ(QFontMetrics(target).horizontalAdvance(sample),
              QFontMetrics(source).horizontalAdvance(sample));

    // Other directions change nothing; a damaged record keeps the font's face and size.
    const QFont before = target;
    TransferFont(target, record, 3);
    EXPECT_EQ(target, before);
    for (double size : {0.0, -4.0, std::numeric_limits<double>::quiet_NaN()}) {
        FontDescription damaged{"", size, -1, 0, 0, 0, 0};
        TransferFont(target, damaged, 2);
        EXPECT_EQ(target.family(), "DejaVu Serif");
        EXPECT_DOUBLE_EQ(target.pointSizeF(), 13.5);
    }
}

TEST(CopyFont, CopiesFaceSizeWeightAndEffects) {
    QFont source("DejaVu Sans Mono");
    source.setPointSizeF(10.5);
    source.setWeight(QFont::Light);
    source.setUnderline(true);
    QFont target("DejaVu Serif", 20, QFont::Bold, true);
    target.setStrikeOut(true);
    CopyFont(source, target);
    EXPECT_EQ(target.family(), "DejaVu Sans Mono");
    EXPECT_DOUBLE_EQ(target.pointSizeF(), 10.5);
    EXPECT_EQ(target.weight(), QFont::Light);
    EXPECT_EQ(QList<bool>({target.italic(), target.underline(), target.strikeOut()}),
              QList<bool>({false, true, false}));
}

TEST(ReadChosenFont, BoldUnlessExactlyNormalWeightAndSizeHeldToRange) {
    for (const auto& [weight, bold] : QList<std::pair<QFont::Weight, qint16>>{
             {QFont::Light, -1}, {QFont::Normal, 0}, {QFont::DemiBold, -1}, {QFont::Bold, -1}}) {
        FontDescription record;
        ReadChosenFont(QFont("DejaVu Sans", 10, weight), record);
        EXPECT_EQ(record.Bold, bold) << int(weight);
    }
    for (const auto& [size, held] :
         QList<std::pair<double, double>>{{6, 8}, {10.5, 10.5}, {24, 24}, {30, 24}}) {
        QFont chosen("DejaVu Sans");
        chosen.setPointSizeF(size);
        FontDescription record;
        ReadChosenFont(chosen, record);
        EXPECT_DOUBLE_EQ(record.Size, held);
    }
}

// The font choice is a dialog of its own around the desktop's font dialog.
void WhenFontChoiceOpens(std::function<void(QDialog*, QFontDialog*)> act) {
    WhenModalOpens<QDialog>(
        [act](QDialog* dialog) { act(dialog, dialog->findChild<QFontDialog*>()); },
        [](QDialog* dialog) { return dialog->findChild<QFontDialog*>() != nullptr; });
}

void Confirm(QDialog* dialog) {
    dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
}

TEST(ChooseFontDialog, StartsWithinTheSizeRangeAndReturnsTheChoice) {
    FontDescription record{"DejaVu Sans", 40, 0, -1, 0, 0, qint32(0x80000008)};
    double openedAt = 0;
    WhenFontChoiceOpens([&](QDialog* dialog, QFontDialog* fonts) {
        EXPECT_TRUE(fonts->isVisible());
        openedAt = fonts->currentFont().pointSizeF();
        QFont pick("DejaVu Sans", 12, QFont::Bold);
        pick.setUnderline(true);
        fonts->setCurrentFont(pick);
        Confirm(dialog);
    });
    ASSERT_EQ(ChooseFontDialog(nullptr, record), 0);
    EXPECT_DOUBLE_EQ(openedAt, 24);
    // The colour was not touched, so its desktop-colour code is kept as it was.
    ExpectSameRecord(record, FontDescription{"DejaVu Sans", 12, -1, 0, -1, 0, qint32(0x80000008)});
}

TEST(ChooseFontDialog, TakesTheTextColourOrLeavesAllOnCancel) {
    FontDescription record{"DejaVu Serif", 11, -1, 0, -1, 0, 0x00FF00};
    const FontDescription before = record;
    WhenFontChoiceOpens([](QDialog* dialog, QFontDialog* fonts) {
        fonts->setCurrentFont(QFont("DejaVu Sans", 20));
        dialog->reject();
    });
    EXPECT_EQ(ChooseFontDialog(nullptr, record), -1);
    ExpectSameRecord(record, before);

    WhenFontChoiceOpens([](QDialog* dialog, QFontDialog*) {
        WhenModalOpens<QColorDialog>([](QColorDialog* colors) {
            colors->setCurrentColor(QColor(0x12, 0x34, 0x56));
            colors->accept();
        });
        dialog->findChild<QPushButton*>("fontColorButton")->click();
        Confirm(dialog);
    });
    ASSERT_EQ(ChooseFontDialog(nullptr, record), 0);
    EXPECT_EQ(record.Color, 0x563412);
}

TEST(ChooseColorDialog, OpensOnTheColourWithBlackCustomColours) {
    QColorDialog::setCustomColor(3, QColor(Qt::red));
    QColor openedOn;
    int blackCustom = 0;
    WhenModalOpens<QColorDialog>([&](QColorDialog* colors) {
        openedOn = colors->currentColor();
        for (int i = 0; i < QColorDialog::customCount(); ++i)
            blackCustom += QColorDialog::customColor(i) == QColor(Qt::black) ? 1 : 0;
        colors->setCurrentColor(QColor(1, 2, 3));
        colors->accept();
    });
    EXPECT_EQ(ChooseColorDialog(nullptr, 0x00FF8040), 0x030201);
    EXPECT_EQ(openedOn, QColor(0x40, 0x80, 0xFF));
    EXPECT_EQ(blackCustom, QColorDialog::customCount());

    WhenModalOpens<QColorDialog>([](QColorDialog* colors) { colors->reject(); });
    EXPECT_EQ(ChooseColorDialog(nullptr, 0x00FF8040), -1);
}

TEST(ColorInt, StoresRedLowestAndReadsDesktopColours) {
    EXPECT_EQ(ColorToInt(QColor(0x11, 0x22, 0x33)), 0x332211);
    EXPECT_EQ(IntToColor(0x332211, QPalette()), QColor(0x11, 0x22, 0x33));
    EXPECT_EQ(ColorToInt(QColor()), 0);

    QPalette desktop;
    desktop.setColor(QPalette::Text, QColor(1, 1, 1));
    desktop.setColor(QPalette::Base, QColor(2, 2, 2));
    EXPECT_EQ(IntToColor(qint32(0x80000008), desktop), QColor(1, 1, 1));
    EXPECT_EQ(IntToColor(qint32(0x80000005), desktop), QColor(2, 2, 2));
    EXPECT_EQ(IntToColor(qint32(0x800000FF), desktop), QColor(Qt::black));
}

} // namespace
} // namespace plimset
