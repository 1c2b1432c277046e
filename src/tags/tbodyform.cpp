// SPDX-License-Identifier: GPL-3.0-or-later
#include "tags/tbodyform.h"

#include "platform/prompter.h"
#include "platform/renderer.h"
#include "tags/bodytag.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScopedValueRollback>
#include <QSlider>
#include <QSpinBox>
#include <QVBoxLayout>

#include <limits>

namespace Tarnwick {

TBodyForm::TBodyForm(const BodySettings &remembered, Prompter *prompter,
                     const QString &pageDirectory, QWidget *parent)
    : QDialog(parent)
    , m_prompter(prompter)
    , m_remembered(remembered)
    , m_pageDirectory(pageDirectory)
    , m_fixed(new QCheckBox(QStringLiteral("Fixed Background"), this))
    , m_imageName(new QLabel(this))
    , m_preview(new Renderer(this))
{
    setObjectName(QStringLiteral("BodyForm"));
    setWindowTitle(QStringLiteral("Body Settings"));

    auto *itemsBox = new QGroupBox(this);
    auto *itemsLayout = new QVBoxLayout(itemsBox);
    const char *captions[]
        = { "Text Color", "Link Color", "Visited Link Color", "Active Link Color", "Background" };
    const char *names[]
        = { "TextColor", "LinkColor", "VisitedLinkColor", "ActiveLinkColor", "BackgroundColor" };
    for (int i = 0; i < 5; ++i) {
        m_items[i] = new QRadioButton(QLatin1String(captions[i]), itemsBox);
        m_items[i]->setObjectName(QLatin1String(names[i]));
        itemsLayout->addWidget(m_items[i]);
        connect(m_items[i], &QRadioButton::clicked, this,
                [this, i] { chooseItem(static_cast<Item>(i)); });
    }
    m_items[TextItem]->setChecked(true);

    auto *slidersBox = new QGroupBox(this);
    auto *sliders = new QGridLayout(slidersBox);
    const char *colors[] = { "Red", "Green", "Blue" };
    for (int i = 0; i < 3; ++i) {
        m_sliders[i] = new QSlider(Qt::Horizontal, slidersBox);
        m_sliders[i]->setObjectName(QLatin1String(colors[i]));
        m_sliders[i]->setRange(0, 255);
        m_sliders[i]->setPageStep(10);
        m_readOuts[i] = new QLabel(QStringLiteral("00"), slidersBox);
        m_readOuts[i]->setObjectName(QLatin1String(colors[i]) + QStringLiteral("Value"));
        sliders->addWidget(new QLabel(QLatin1String(colors[i]), slidersBox), i, 0);
        sliders->addWidget(m_sliders[i], i, 1);
        sliders->addWidget(m_readOuts[i], i, 2);
        connect(m_sliders[i], &QSlider::valueChanged, this, &TBodyForm::sliderMoved);
    }
    auto *colorButton = new QPushButton(QStringLiteral("Color..."), slidersBox);
    colorButton->setObjectName(QStringLiteral("ColorDialogBtn"));
    sliders->addWidget(colorButton, 3, 1);
    connect(colorButton, &QPushButton::clicked, this, &TBodyForm::ColorDialogClick);

    auto *buttons = new QVBoxLayout;
    const std::pair<const char *, void (TBodyForm::*)()> actions[] = {
        { "Load Background", &TBodyForm::LoadBackgroundClick },
        { "Clear Background", &TBodyForm::ClearBackgroundClick },
        { "Load Defaults", &TBodyForm::LoadDefaultsClick },
    };
    for (const auto &[caption, slot] : actions) {
        auto *button = new QPushButton(QLatin1String(caption), this);
        button->setObjectName(QString(QLatin1String(caption)).remove(QLatin1Char(' ')));
        buttons->addWidget(button);
        connect(button, &QPushButton::clicked, this, slot);
    }
    m_imageName->setObjectName(QStringLiteral("BackgroundName"));
    buttons->addWidget(m_imageName);
    m_fixed->setObjectName(QStringLiteral("FixedBackground"));
    buttons->addWidget(m_fixed);
    connect(m_fixed, &QCheckBox::toggled, this, [this](bool on) { m_values.fixedBackground = on; });

    auto *margins = new QFormLayout;
    const char *marginCaptions[]
        = { "Left Margin:", "Right Margin:", "Top Margin:", "Bottom Margin:" };
    const char *marginNames[] = { "LeftMargin", "RightMargin", "TopMargin", "BottomMargin" };
    int BodySettings::*members[] = { &BodySettings::leftMargin, &BodySettings::rightMargin,
                                     &BodySettings::topMargin, &BodySettings::bottomMargin };
    for (int i = 0; i < 4; ++i) {
        m_margins[i] = new QSpinBox(this);
        m_margins[i]->setObjectName(QLatin1String(marginNames[i]));
        // Any margin a tag can hold, so none read in is cut.
        m_margins[i]->setRange(-1, std::numeric_limits<int>::max());
        m_margins[i]->setSpecialValueText(QStringLiteral("-1"));
        margins->addRow(QLatin1String(marginCaptions[i]), m_margins[i]);
        int BodySettings::*member = members[i];
        connect(m_margins[i], &QSpinBox::valueChanged, this,
                [this, member](int value) { m_values.*member = value; });
    }
    buttons->addLayout(margins);
    buttons->addStretch();

    m_preview->setObjectName(QStringLiteral("BodyPreview"));
    m_preview->setMinimumSize(260, 140);

    auto *box = new QDialogButtonBox(this);
    box->addButton(QStringLiteral("Ok"), QDialogButtonBox::AcceptRole)
        ->setObjectName(QStringLiteral("OkBtn"));
    box->addButton(QDialogButtonBox::Cancel);
    connect(box, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(box, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *left = new QVBoxLayout;
    left->addWidget(itemsBox);
    left->addWidget(slidersBox);
    auto *top = new QHBoxLayout;
    top->addLayout(left);
    top->addLayout(buttons);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(m_preview, 1);
    layout->addWidget(box);

    LoadDefaultsClick();
}

QString TBodyForm::mediaFilter()
{
    return QStringLiteral(
        "All "
        "Media|*.BMP;*.CMS;*.GIF;*.JPG;*.PCX;*.PNG;*.SCM;*.TIF;*.WAV;*.MID;*.RMI;*.AVI;*.SVG;*."
        "WEBP;|BMP|*.BMP|CMS|*.CMS|GIF|*.GIF|JPG|*.JPG|PCX|*.PCX|PNG|*.PNG|RTF|*.RTF|SCM|*.SCM|"
        "TIF|*.TIF|Wav|*.WAV|Mid|*.MID|RMI|*.RMI|AVI|*.AVI|SVG|*.SVG|WebP|*.WEBP");
}

QColor &TBodyForm::itemColor(Item item)
{
    switch (item) {
    case TextItem:
        return m_values.text;
    case LinkItem:
        return m_values.link;
    case VisitedLinkItem:
        return m_values.visitedLink;
    case ActiveLinkItem:
        return m_values.activeLink;
    case BackgroundItem:
        break;
    }
    return m_values.background;
}

void TBodyForm::chooseItem(Item item)
{
    m_item = item;
    m_items[item]->setChecked(true);
    {
        // Only the colour dialog or a slider changes the colour: an item without one keeps none.
        const QScopedValueRollback updating(m_updating, true);
        setSliders(itemColor(item));
    }
    ColorDialogClick();
}

void TBodyForm::ColorDialogClick()
{
    const QColor current = itemColor(m_item);
    if (const std::optional<QColor> color
        = m_prompter->chooseColor(current.isValid() ? current : QColor(Qt::black)))
        setSliders(*color); // moving the sliders gives the item its colour
}

void TBodyForm::setSliders(const QColor &color)
{
    {
        const QSignalBlocker blocks[]
            = { QSignalBlocker(m_sliders[0]), QSignalBlocker(m_sliders[1]),
                QSignalBlocker(m_sliders[2]) };
        m_sliders[0]->setValue(color.red());
        m_sliders[1]->setValue(color.green());
        m_sliders[2]->setValue(color.blue());
    }
    sliderMoved();
}

void TBodyForm::sliderMoved()
{
    for (int i = 0; i < 3; ++i)
        m_readOuts[i]->setText(
            QStringLiteral("%1").arg(m_sliders[i]->value(), 2, 16, QLatin1Char('0')).toUpper());
    if (m_updating)
        return;
    itemColor(m_item) = QColor(m_sliders[0]->value(), m_sliders[1]->value(), m_sliders[2]->value());
    showSample();
}

void TBodyForm::LoadBackgroundClick()
{
    Prompter::FileRequest request;
    request.caption = QStringLiteral("Open File");
    request.directory = m_values.image.isEmpty() || BodyTag::isWebAddress(m_values.image)
        ? m_pageDirectory
        : QFileInfo(QDir(m_pageDirectory), m_values.image).absolutePath();
    request.filter = mediaFilter();
    const std::optional<QString> chosen = m_prompter->openFileName(request);
    if (!chosen || chosen->isEmpty())
        return;
    m_values.image = QFileInfo(*chosen).absoluteFilePath();
    m_imageName->setText(QFileInfo(m_values.image).fileName());
    showSample();
}

void TBodyForm::ClearBackgroundClick()
{
    m_values.image.clear();
    m_imageName->clear();
    showSample();
}

void TBodyForm::LoadDefaultsClick()
{
    m_values = m_remembered;
    showValues();
}

void TBodyForm::showValues()
{
    m_updating = true;
    m_fixed->setChecked(m_values.fixedBackground);
    const int margins[]
        = { m_values.leftMargin, m_values.rightMargin, m_values.topMargin, m_values.bottomMargin };
    for (int i = 0; i < 4; ++i)
        m_margins[i]->setValue(margins[i]);
    m_imageName->setText(BodyTag::backgroundName(m_values.image));
    setSliders(itemColor(m_item));
    m_updating = false;
    showSample();
}

void TBodyForm::showSample()
{
    m_preview->LoadFromBuffer(BodyTag::samplePage(m_values), m_pageDirectory);
}

} // namespace Tarnwick
