#include "desktop/FontChoice.h"

#include "ModalDriver.h"

#include <gtest/gtest.h>

#include <QColorDialog>
#include <QDialogButtonBox>
#include <QFontDialog>
#include <QFontMetrics>
#include <QPushButton>

#include <cmath>
#include <limits>

namespace plimset {
namespace {

void ExpectSameRecord(const FontDescription& a, const FontDescription& b) {
    EXPECT_EQ(a.Name, b.Name);
    EXPECT_DOUBLE_EQ(a.Size, b.Size);
    EXPECT_EQ(a.Bold, b.Bold);
    EXPECT_EQ(a.Italic, b.Italic);
    EXPECT_EQ(a.Underline, b.Underline);
    EXPECT_EQ(a.Strikethrough, b.Strikethrough);
    EXPECT_EQ(a.Color, b.Color);
}

TEST(TransferFont, CarriesAFontThroughTheRecordBothWays) {
    QFont source("DejaVu Serif");
    source.setPointSizeF(13.5);
    source.setBold(true);
    source.setItalic(true);
    source.setUnderline(true);
    source.setStrikeOut(true);

    FontDescription record;
    record.Color = 0x123456;
    TransferFont(source, record, 1);
    ExpectSameRecord(record, FontDescription{"DejaVu Serif", 13.5, -1, -1, -1, -1, 0x123456});

    QFont target("DejaVu Sans Mono");
    target.setPointSize(30);
    TransferFont(target, record, 2);
    EXPECT_EQ(target.family(), "DejaVu Serif");
    EXPECT_DOUBLE_EQ(target.pointSizeF(), 13.5);
    EXPECT_TRUE(target.bold());
    EXPECT_TRUE(target.italic());
    EXPECT_TRUE(target.underline());
    EXPECT_TRUE(target.strikeOut());

    // Any other direction changes neither side.
    const QFont before = target;
    const FontDescription recordBefore = record;
    for (qint16 direction : {0, 3, -1}) {
        TransferFont(target, record, direction);
        EXPECT_EQ(target, before);
        ExpectSameRecord(record, recordBefore);
    }
}

TEST(TransferFont, ClearsAStyleThatWouldOverrideTheFlags) {
    // A font chosen in the dialog carries its style by name ("Bold"); writing a plain record
    // into it must give the plain face, which is narrower.
    QFont font("DejaVu Sans");
    font.setStyleName("Bold");
    FontDescription plain{"DejaVu Sans", 12, 0, 0, 0, 0, 0};
    TransferFont(font, plain, 2);
    QFont reference("DejaVu Sans");
    reference.setPointSize(12);
    const QString sample = "Hello World 12:34";
    EXPECT_EQ(QFontMetrics(font).horizontalAdvance(sample),
              QFontMetrics(reference).horizontalAdvance(sample));
}

TEST(TransferFont, KeepsFaceAndSizeForADamagedRecord) {
    QFont font("DejaVu Serif");
    font.setPointSize(11);
    for (double size : {0.0, -4.0, std::numeric_limits<double>::quiet_NaN(),
                        std::numeric_limits<double>::infinity()}) {
        FontDescription damaged{"", size, 0, 0, 0, 0, 0};
        TransferFont(font, damaged, 2);
        EXPECT_EQ(font.family(), "DejaVu Serif");
        EXPECT_DOUBLE_EQ(font.pointSizeF(), 11);
    }
}

TEST(CopyFont, CopiesFaceSizeWeightAndEffects) {
    QFont source("DejaVu Sans Mono");
    source.setPointSizeF(10.5);
    source.setWeight(QFont::Light);
    source.setUnderline(true);
    QFont target("DejaVu Serif");
    target.setPointSize(20);
    target.setBold(true);
    target.setItalic(true);
    target.setStrikeOut(true);

    CopyFont(source, target);
    EXPECT_EQ(target.family(), "DejaVu Sans Mono");
    EXPECT_DOUBLE_EQ(target.pointSizeF(), 10.5);
    EXPECT_EQ(target.weight(), QFont::Light);
    EXPECT_FALSE(target.italic());
    EXPECT_TRUE(target.underline());
    EXPECT_FALSE(target.strikeOut());

    QFont pixels("DejaVu Sans");
    pixels.setPixelSize(40);
    CopyFont(pixels, target);
    EXPECT_EQ(target.pixelSize(), 40);
}

TEST(ReadChosenFont, BoldUnlessExactlyNormalWeightAndSizeHeldToRange) {
    const QList<std::pair<QFont::Weight, qint16>> weights{
        {QFont::Light, -1}, {QFont::Normal, 0}, {QFont::DemiBold, -1}, {QFont::Bold, -1}};
    for (const auto& [weight, bold] : weights) {
        QFont chosen("DejaVu Sans");
        chosen.setWeight(weight);
        FontDescription record;
        ReadChosenFont(chosen, record);
        EXPECT_EQ(record.Bold, bold) << int(weight);
    }

    const QList<std::pair<double, double>> sizes{{6, 8}, {8, 8}, {10.5, 10.5}, {24, 24}, {30, 24}};
    for (const auto& [size, held] : sizes) {
        QFont chosen("DejaVu Sans");
        chosen.setPointSizeF(size);
        FontDescription record;
        record.Color = 77;
        ReadChosenFont(chosen, record);
        EXPECT_DOUBLE_EQ(record.Size, held);
        EXPECT_EQ(record.Color, 77);
    }
}

QFontDialog* FontsOf(QWidget* modal) {
    return modal->findChild<QFontDialog*>();
}

bool IsFontChoice(QWidget* modal) {
    return FontsOf(modal) != nullptr;
}

void Confirm(QWidget* dialog) {
    dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
}

TEST(ChooseFontDialog, StartsWithinTheSizeRangeAndReturnsTheChoice) {
    FontDescription record{"DejaVu Sans", 40, 0, -1, 0, 0, qint32(0x80000008)};
    double openedAt = 0;
    WhenModalOpens(IsFontChoice, [&](QWidget* modal) {
        EXPECT_TRUE(FontsOf(modal)->isVisible());
        openedAt = FontsOf(modal)->currentFont().pointSizeF();
        QFont pick("DejaVu Sans");
        pick.setPointSize(12);
        pick.setBold(true);
        pick.setUnderline(true);
        FontsOf(modal)->setCurrentFont(pick);
        Confirm(modal);
    });
    ASSERT_EQ(ChooseFontDialog(nullptr, record), 0);
    EXPECT_DOUBLE_EQ(openedAt, 24);
    // The colour was not touched, so its desktop-colour code is kept as it was.
    ExpectSameRecord(record, FontDescription{"DejaVu Sans", 12, -1, 0, -1, 0, qint32(0x80000008)});
}

TEST(ChooseFontDialog, CancelLeavesTheRecordAlone) {
    FontDescription record{"DejaVu Serif", 11, -1, 0, -1, 0, 0x00FF00};
    const FontDescription before = record;
    WhenModalOpens(IsFontChoice, [](QWidget* modal) {
        FontsOf(modal)->setCurrentFont(QFont("DejaVu Sans", 20));
        qobject_cast<QDialog*>(modal)->reject();
    });
    EXPECT_EQ(ChooseFontDialog(nullptr, record), -1);
    ExpectSameRecord(record, before);
}

TEST(ChooseFontDialog, TakesTheTextColourFromItsColourButton) {
    FontDescription record{"DejaVu Sans", 9, 0, 0, 0, 0, 0};
    WhenModalOpens(IsFontChoice, [](QWidget* modal) {
        WhenModalOpens<QColorDialog>([](QColorDialog* colors) {
            colors->setCurrentColor(QColor(0x12, 0x34, 0x56));
            colors->accept();
        });
        modal->findChild<QPushButton*>("fontColorButton")->click();
        Confirm(modal);
    });
    ASSERT_EQ(ChooseFontDialog(nullptr, record), 0);
    EXPECT_EQ(record.Color, 0x563412);
}

TEST(ChooseColorDialog, OpensOnTheColourWithBlackCustomColours) {
    QColorDialog::setCustomColor(3, QColor(Qt::red));
    QColor openedOn;
    bool customBlack = false;
    WhenModalOpens<QColorDialog>([&](QColorDialog* colors) {
        openedOn = colors->currentColor();
        customBlack = true;
        for (int i = 0; i < QColorDialog::customCount(); ++i)
            customBlack = customBlack && QColorDialog::customColor(i) == QColor(Qt::black);
        colors->setCurrentColor(QColor(1, 2, 3));
        colors->accept();
    });
    EXPECT_EQ(ChooseColorDialog(nullptr, 0x00FF8040), 0x030201);
    EXPECT_EQ(openedOn, QColor(0x40, 0x80, 0xFF));
    EXPECT_TRUE(customBlack);

    WhenModalOpens<QColorDialog>([](QColorDialog* colors) { colors->reject(); });
    EXPECT_EQ(ChooseColorDialog(nullptr, 0x00FF8040), -1);
}

TEST(ColorInt, StoresRedLowestAndReadsDesktopColours) {
    EXPECT_EQ(ColorToInt(QColor(0x11, 0x22, 0x33)), 0x332211);
    EXPECT_EQ(ColorToInt(QColor(Qt::white)), 0xFFFFFF);
    EXPECT_EQ(ColorToInt(QColor()), 0);
    const QPalette palette;
    for (qint32 value : {0, 0x332211, 0xFFFFFF, 0x0080FF})
        EXPECT_EQ(ColorToInt(IntToColor(value, palette)), value);

    QPalette desktop;
    desktop.setColor(QPalette::Text, QColor(1, 1, 1));
    desktop.setColor(QPalette::Base, QColor(2, 2, 2));
    desktop.setColor(QPalette::ButtonText, QColor(3, 3, 3));
    EXPECT_EQ(IntToColor(qint32(0x80000008), desktop), QColor(1, 1, 1));
    EXPECT_EQ(IntToColor(qint32(0x80000005), desktop), QColor(2, 2, 2));
    EXPECT_EQ(IntToColor(qint32(0x80000012), desktop), QColor(3, 3, 3));
    EXPECT_EQ(IntToColor(qint32(0x800000FF), desktop), QColor(Qt::black));
    EXPECT_EQ(IntToColor(qint32(0x80FFFFFF), desktop), QColor(Qt::black));
}

} // namespace
} // namespace plimset
