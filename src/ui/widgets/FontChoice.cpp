#include "ui/widgets/FontChoice.h"

#include <QApplication>
#include <QColorDialog>
#include <QCoreApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFontDialog>
#include <QFontInfo>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QLineEdit>
#include <QListView>
#include <QPixmap>
#include <QPushButton>
#include <QStringListModel>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace plimset {

namespace {

qint16 Flag(bool value) {
    return value ? -1 : 0;
}

// A font's size in points, also for fonts that were given a pixel size.
double PointSize(const QFont& font) {
    const double size = font.pointSizeF();
    return size > 0 ? size : QFontInfo(font).pointSizeF();
}

double DialogSize(double size) {
    if (!std::isfinite(size))
        size = FontDescription().Size;
    return std::clamp(size, MinFontDialogSize, MaxFontDialogSize);
}

QPalette PaletteFor(const QWidget* owner) {
    return owner != nullptr ? owner->palette() : QApplication::palette();
}

QIcon Swatch(const QColor& color) {
    QPixmap pixmap(16, 16);
    pixmap.fill(color);
    return QIcon(pixmap);
}

// Whole point sizes in the range. The size box takes only what is one or can still become
// one by typing on ("1" and "2" on the way to 10 to 24), so "30" cannot be typed at all.
class DialogSizeValidator : public QIntValidator {
public:
    explicit DialogSizeValidator(QObject* parent)
        : QIntValidator(int(MinFontDialogSize), int(MaxFontDialogSize), parent) {}

    State validate(QString& input, int&) const override {
        if (input.isEmpty())
            return Intermediate;
        State state = Invalid;
        for (int size = bottom(); size <= top(); ++size) {
            const QString text = QString::number(size);
            if (text == input)
                return Acceptable;
            if (text.startsWith(input))
                state = Intermediate;
        }
        return state;
    }
};

bool InDialogRange(const QString& size) {
    const int points = size.toInt();
    return points >= MinFontDialogSize && points <= MaxFontDialogSize;
}

// The desktop's font dialog has no size limits of its own: its size list offers the
// sizes of each face and its size box takes 1 to 512. Its list and box are found by what
// they are (the list whose rows are all numbers, the box with a number validator) and
// held to the range: the list is cut after every refill, the box gets a validator of the
// range. Returns the size box, or nothing when the dialog is not built as expected.
QLineEdit* LimitSizes(QFontDialog* fonts) {
    QLineEdit* sizeBox = nullptr;
    for (QLineEdit* edit : fonts->findChildren<QLineEdit*>()) {
        if (qobject_cast<const QIntValidator*>(edit->validator()) != nullptr)
            sizeBox = edit;
    }
    QStringListModel* sizeList = nullptr;
    for (QListView* list : fonts->findChildren<QListView*>()) {
        auto* model = qobject_cast<QStringListModel*>(list->model());
        const QStringList rows = model != nullptr ? model->stringList() : QStringList();
        if (!rows.isEmpty() && std::all_of(rows.begin(), rows.end(), [](const QString& row) {
                bool isNumber = false;
                row.toInt(&isNumber);
                return isNumber;
            }))
            sizeList = model;
    }
    if (sizeBox == nullptr || sizeList == nullptr)
        return nullptr;

    sizeBox->setValidator(new DialogSizeValidator(sizeBox));
    const auto cut = [sizeList] {
        // From the end, so the rows still to look at keep their numbers; the list's
        // current row stays where it was.
        const QStringList rows = sizeList->stringList();
        for (qsizetype row = rows.size() - 1; row >= 0; --row) {
            if (!InDialogRange(rows[row]))
                sizeList->removeRows(int(row), 1);
        }
    };
    cut();
    // The dialog refills the list and then selects in it by row: cut once it is done.
    QObject::connect(sizeList, &QAbstractItemModel::modelReset, fonts, cut, Qt::QueuedConnection);
    return sizeBox;
}

} // namespace

void CopyFont(const QFont& source, QFont& target) {
    target.setFamilies(source.families());
    target.setStyleName(source.styleName());
    if (source.pointSizeF() > 0)
        target.setPointSizeF(source.pointSizeF());
    else if (source.pixelSize() > 0)
        target.setPixelSize(source.pixelSize());
    target.setWeight(source.weight());
    target.setItalic(source.italic());
    target.setUnderline(source.underline());
    target.setStrikeOut(source.strikeOut());
}

void TransferFont(QFont& font, FontDescription& description, FontTransfer direction) {
    if (direction == FontTransfer::FromFont) {
        description.Name = font.family();
        description.Size = PointSize(font);
        description.Bold = Flag(font.bold());
        description.Italic = Flag(font.italic());
        description.Underline = Flag(font.underline());
        description.Strikethrough = Flag(font.strikeOut());
    } else if (direction == FontTransfer::ToFont) {
        // An empty name or an unusable size (a damaged record) keeps what the font has.
        if (!description.Name.isEmpty())
            font.setFamily(description.Name);
        if (std::isfinite(description.Size) && description.Size > 0)
            font.setPointSizeF(description.Size);
        // A style name chosen earlier would override the weight and slant set here.
        font.setStyleName(QString());
        font.setBold(description.Bold != 0);
        font.setItalic(description.Italic != 0);
        font.setUnderline(description.Underline != 0);
        font.setStrikeOut(description.Strikethrough != 0);
    }
}

qint16 ChooseFontDialog(QWidget* owner, FontDescription& description) {
    QFont initial;
    TransferFont(initial, description, FontTransfer::ToFont);
    initial.setPointSizeF(DialogSize(description.Size));

    // The desktop's font dialog has no text colour, so it is embedded in a dialog of our own
    // that adds one; the colour is only turned into a new value when the user picks one.
    QDialog dialog(owner);
    const QString title = QCoreApplication::translate("QFontDialog", "Select Font");
    dialog.setWindowTitle(title);
    dialog.setAccessibleName(title);

    auto* fonts = new QFontDialog(&dialog);
    fonts->setWindowFlags(Qt::Widget);
    fonts->setOptions(QFontDialog::NoButtons | QFontDialog::DontUseNativeDialog);
    fonts->setCurrentFont(initial);

    qint32 color = description.Color;
    auto* colorButton =
        new QPushButton(Swatch(IntToColor(color, PaletteFor(owner))),
                        QCoreApplication::translate("FontChoice", "&Color..."), &dialog);
    colorButton->setObjectName("fontColorButton");
    colorButton->setAccessibleName(QCoreApplication::translate("FontChoice", "Text color"));
    colorButton->setAutoDefault(false);
    QObject::connect(colorButton, &QPushButton::clicked, &dialog, [&] {
        const qint32 chosen = ChooseColorDialog(&dialog, color);
        if (chosen != -1) {
            color = chosen;
            colorButton->setIcon(Swatch(IntToColor(color, PaletteFor(owner))));
        }
    });

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);

    // Only a size in the range can be confirmed; until one is in the size box, OK is off.
    QLineEdit* sizeBox = LimitSizes(fonts);
    const auto sizeAcceptable = [sizeBox] {
        return sizeBox == nullptr || sizeBox->hasAcceptableInput();
    };
    if (sizeBox != nullptr) {
        QPushButton* ok = buttons->button(QDialogButtonBox::Ok);
        const auto enableOk = [ok, sizeAcceptable] { ok->setEnabled(sizeAcceptable()); };
        QObject::connect(sizeBox, &QLineEdit::textChanged, ok, enableOk);
        QObject::connect(fonts, &QFontDialog::currentFontChanged, ok, enableOk);
    }

    // Keys the embedded dialog handles itself (Return in its lists, Escape) end the whole
    // dialog; a confirmation without a size in the range leaves it open.
    QObject::connect(fonts, &QDialog::accepted, &dialog, [&dialog, fonts, sizeAcceptable] {
        if (sizeAcceptable())
            dialog.accept();
        else
            fonts->show();
    });
    QObject::connect(fonts, &QDialog::rejected, &dialog, &QDialog::reject);

    auto* colorRow = new QHBoxLayout;
    colorRow->addWidget(colorButton);
    colorRow->addStretch();
    auto* layout = new QVBoxLayout(&dialog);
    layout->addWidget(fonts);
    layout->addLayout(colorRow);
    layout->addWidget(buttons);
    fonts->show();

    if (dialog.exec() != QDialog::Accepted)
        return -1;

    ReadChosenFont(fonts->currentFont(), description);
    description.Color = color;
    return 0;
}

void ReadChosenFont(const QFont& chosen, FontDescription& description) {
    description.Name = chosen.family();
    // The dialog takes only sizes in the range; a font that comes another way is held to
    // it here.
    description.Size = DialogSize(PointSize(chosen));
    description.Bold = chosen.weight() == QFont::Normal ? 0 : -1;
    description.Italic = Flag(chosen.italic());
    description.Underline = Flag(chosen.underline());
    description.Strikethrough = Flag(chosen.strikeOut());
}

qint32 ChooseColorDialog(QWidget* owner, qint32 initialColor) {
    // The custom colours are shared by every colour dialog of the process; each opening
    // starts them black again.
    for (int i = 0; i < QColorDialog::customCount(); ++i)
        QColorDialog::setCustomColor(i, QColor(Qt::black));

    QColorDialog dialog(IntToColor(initialColor, PaletteFor(owner)), owner);
    dialog.setOption(QColorDialog::DontUseNativeDialog);
    const QString title = QCoreApplication::translate("QColorDialog", "Select Color");
    dialog.setWindowTitle(title);
    dialog.setAccessibleName(title);
    if (dialog.exec() != QDialog::Accepted)
        return -1;
    const QColor chosen =
        dialog.selectedColor().isValid() ? dialog.selectedColor() : dialog.currentColor();
    return ColorToInt(chosen);
}

qint32 ColorToInt(const QColor& color) {
    if (!color.isValid())
        return 0;
    const QColor rgb = color.toRgb();
    return qint32(rgb.red()) | (qint32(rgb.green()) << 8) | (qint32(rgb.blue()) << 16);
}

QColor IntToColor(qint32 value, const QPalette& palette) {
    const quint32 bits = quint32(value);
    if ((bits & 0xFF000000u) != 0x80000000u)
        return QColor(int(bits & 0xFF), int((bits >> 8) & 0xFF), int((bits >> 16) & 0xFF));

    // A desktop colour, by its index in the classic system colour list.
    switch (bits & 0x00FFFFFFu) {
    case 0:  // scroll bar
    case 10: // active border
    case 11: // inactive border
    case 15: // button face
        return palette.color(QPalette::Button);
    case 1:  // desktop
    case 4:  // menu
    case 30: // menu bar
        return palette.color(QPalette::Window);
    case 2:  // active caption
    case 13: // highlight
    case 27: // active caption gradient
    case 29: // menu highlight
        return palette.color(QPalette::Highlight);
    case 3:  // inactive caption
    case 28: // inactive caption gradient
        return palette.color(QPalette::Inactive, QPalette::Highlight);
    case 5: // window background
        return palette.color(QPalette::Base);
    case 6:  // window frame
    case 21: // 3D dark shadow
        return palette.color(QPalette::Shadow);
    case 7: // menu text
        return palette.color(QPalette::WindowText);
    case 8: // window text
        return palette.color(QPalette::Text);
    case 9:  // caption text
    case 14: // highlighted text
        return palette.color(QPalette::HighlightedText);
    case 12: // application workspace
    case 16: // button shadow
        return palette.color(QPalette::Dark);
    case 17: // grey text
    case 19: // inactive caption text
        return palette.color(QPalette::Disabled, QPalette::Text);
    case 18: // button text
        return palette.color(QPalette::ButtonText);
    case 20: // button highlight
        return palette.color(QPalette::Light);
    case 22: // 3D light
        return palette.color(QPalette::Midlight);
    case 23: // tooltip text
        return palette.color(QPalette::ToolTipText);
    case 24: // tooltip background
        return palette.color(QPalette::ToolTipBase);
    case 26: // hot-tracked item
        return palette.color(QPalette::Link);
    default:
        return QColor(Qt::black);
    }
}

} // namespace plimset
