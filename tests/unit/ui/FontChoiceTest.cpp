#include "ui/widgets/FontChoice.h"

#include "ModalDriver.h"

#include <gtest/gtest.h>

#include <QtTest>
#include <QtWidgets>
#include <functional>

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
    FontDescription record{"", 9, 0, 0, 0, 0, 0x123456};
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
    EXPECT_EQ(QFontMetrics(target).horizontalAdvance("Hello World 12:34"),
              QFontMetrics(source).horizontalAdvance("Hello World 12:34"));
}

// The font choice is a dialog of its own around the desktop's font dialog.
void WhenFontChoiceOpens(std::function<void(QDialog*, QFontDialog*)> act) {
    WhenModalOpens<QDialog>(
        [act](QDialog* dialog) { act(dialog, dialog->findChild<QFontDialog*>()); },
        [](QDialog* dialog) { return dialog->findChild<QFontDialog*>() != nullptr; });
}

// The desktop dialog's size list, in one line: the list whose rows are all numbers.
QString ListedSizes(QFontDialog* fonts) {
    for (QListView* list : fonts->findChildren<QListView*>()) {
        const QStringList rows = qobject_cast<QStringListModel*>(list->model())->stringList();
        if (!rows.isEmpty() && rows.filter(QRegularExpression("^[1-9]\\d*$")) == rows)
            return rows.join(u' ');
    }
    return {};
}

TEST(ChooseFontDialog, OffersAndTakesOnlySizesFrom8To24) {
    // A size above the range opens at its top; a cancelled choice changes nothing.
    FontDescription record{"DejaVu Sans", 40, 0, 0, 0, 0, 0};
    WhenFontChoiceOpens([&](QDialog* dialog, QFontDialog* fonts) {
        EXPECT_EQ(fonts->currentFont().pointSizeF(), 24);
        fonts->setCurrentFont(QFont("DejaVu Serif", 20));
        dialog->reject();
    });
    EXPECT_EQ(ChooseFontDialog(nullptr, record), -1);
    EXPECT_EQ(record.Name, "DejaVu Sans");

    WhenFontChoiceOpens([&](QDialog* dialog, QFontDialog* fonts) {
        const QString sizes = "8 9 10 11 12 14 16 18 20 22 24";
        EXPECT_EQ(ListedSizes(fonts), sizes);
        fonts->setCurrentFont(QFont("DejaVu Serif", 10)); // the list is refilled for the face
        QCoreApplication::processEvents();
        EXPECT_EQ(ListedSizes(fonts), sizes);
        QLineEdit* size = nullptr;
        for (QLineEdit* edit : fonts->findChildren<QLineEdit*>())
            if (qobject_cast<const QIntValidator*>(edit->validator()))
                size = edit;
        ASSERT_NE(size, nullptr);
        QPushButton* ok = dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok);
        // Nothing of "30" is taken, only the "2" of "25", and OK waits for a whole size.
        size->clear();
        QTest::keyClicks(size, "30");
        EXPECT_EQ(size->text(), "");
        QTest::keyClicks(size, "25");
        EXPECT_EQ(size->text(), "2");
        EXPECT_FALSE(ok->isEnabled());
        size->clear();
        QTest::keyClicks(size, "18");
        ok->click();
    });
    ASSERT_EQ(ChooseFontDialog(nullptr, record), 0);
    EXPECT_EQ(std::pair(record.Name, record.Size), std::pair(QString("DejaVu Serif"), 18.0));
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
