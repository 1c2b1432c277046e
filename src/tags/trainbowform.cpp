// SPDX-License-Identifier: GPL-3.0-or-later
#include "tags/trainbowform.h"

#include "platform/prompter.h"
#include "platform/renderer.h"

#include <QCheckBox>
#include <QDateTime>
#include <QDialogButtonBox>
#include <QFrame>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QRandomGenerator>
#include <QVBoxLayout>

namespace Tarnwick {

TRainbowForm::TRainbowForm(const QString &text, Prompter *prompter, QWidget *parent)
    : QDialog(parent)
    , m_text(text)
    , m_prompter(prompter)
    , m_useRandom(new QCheckBox(QStringLiteral("UseRandom"), this))
    , m_sixteen(new QCheckBox(QStringLiteral("16 Color Only"), this))
    , m_standard(new QRadioButton(QStringLiteral("Standard"), this))
    , m_random(new QRadioButton(QStringLiteral("Random"), this))
    , m_basePanel(new QFrame(this))
    , m_preview(new Renderer(this))
{
    setObjectName(QStringLiteral("RainbowForm"));
    setWindowTitle(QStringLiteral("Rainbowizer"));
    m_preview->setObjectName(QStringLiteral("RainbowPreview"));
    m_preview->setMinimumSize(360, 160);
    m_useRandom->setObjectName(QStringLiteral("UseRandom"));
    m_sixteen->setObjectName(QStringLiteral("SixteenColorOnly"));
    m_sixteen->setEnabled(false);
    m_standard->setObjectName(QStringLiteral("Standard"));
    m_random->setObjectName(QStringLiteral("Random"));
    m_standard->setChecked(true);
    m_basePanel->setObjectName(QStringLiteral("BaseColor"));
    m_basePanel->setFrameShape(QFrame::Box);
    m_basePanel->setMinimumSize(40, 24);
    m_basePanel->setAutoFillBackground(true);
    showBase();

    auto *previewButton = new QPushButton(QStringLiteral("&Preview"), this);
    previewButton->setObjectName(QStringLiteral("PreviewBtn"));
    auto *selectColor = new QPushButton(QStringLiteral("Select a color to use a a base"), this);
    selectColor->setObjectName(QStringLiteral("SelectColorBtn"));
    connect(previewButton, &QPushButton::clicked, this, &TRainbowForm::CreateRainbow);
    connect(selectColor, &QPushButton::clicked, this, &TRainbowForm::SelectColorClick);
    connect(m_useRandom, &QCheckBox::toggled, this, [this](bool on) {
        m_sixteen->setEnabled(on);
        CreateRainbow();
    });
    connect(m_sixteen, &QCheckBox::toggled, this, &TRainbowForm::CreateRainbow);
    connect(m_standard, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            CreateRainbow();
    });
    connect(m_random, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            CreateRainbow();
    });

    auto *generate = new QGroupBox(QStringLiteral("Generate:"), this);
    auto *generateLayout = new QVBoxLayout(generate);
    generateLayout->addWidget(m_standard);
    generateLayout->addWidget(m_random);

    auto *box = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(box, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(box, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *controls = new QHBoxLayout;
    auto *randoms = new QVBoxLayout;
    randoms->addWidget(m_useRandom);
    randoms->addWidget(m_sixteen);
    controls->addLayout(randoms);
    controls->addWidget(generate);
    auto *base = new QVBoxLayout;
    base->addWidget(m_basePanel);
    base->addWidget(selectColor);
    controls->addLayout(base);
    controls->addStretch();
    controls->addWidget(previewButton);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_preview, 1);
    layout->addLayout(controls);
    layout->addWidget(box);
    resize(560, 360);
    CreateRainbow();
}

Rainbow::Options TRainbowForm::options() const
{
    Rainbow::Options options;
    options.useRandom = m_useRandom->isChecked();
    options.sixteenColors = m_useRandom->isChecked() && m_sixteen->isChecked();
    options.walk = m_random->isChecked() ? Rainbow::Walk::Random : Rainbow::Walk::Standard;
    return options;
}

void TRainbowForm::CreateRainbow()
{
    QRandomGenerator random(
        m_seed.value_or(quint32(QDateTime::currentMSecsSinceEpoch() & 0xFFFFFFFF)));
    m_result = Rainbow::CreateRainbow(m_text, options(), m_base, random);
    m_preview->LoadFromBuffer(m_result, QString());
}

void TRainbowForm::SelectColorClick()
{
    if (const std::optional<QColor> color = m_prompter->chooseColor(m_base)) {
        m_base = *color;
        showBase();
        CreateRainbow();
    }
}

void TRainbowForm::showBase()
{
    QPalette palette = m_basePanel->palette();
    palette.setColor(QPalette::Window, m_base);
    m_basePanel->setPalette(palette);
}

} // namespace Tarnwick
