#include "window/about_box.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "window/screens/simple_screens.h"

#ifndef TQ530_VERSION
#error "TQ530_VERSION comes from the build"
#endif

namespace tq530 {

namespace {

constexpr const char* kLegalNotice =
    "This program is protected by copyright law. Copying, changing or passing on this "
    "program, in whole or in part, without permission may lead to civil and criminal "
    "penalties.\n\n"
    "Programming a radio changes its transmitting channels and calling settings. Make sure "
    "that the settings you program are allowed where the radio is used.";

}  // namespace

QString VersionText() {
    return QStringLiteral("Version ") + QStringLiteral(TQ530_VERSION);
}

AboutBox::AboutBox(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("AboutBox"));
    setWindowTitle(QStringLiteral("Version Infomation"));

    auto* logo = new LogoScreen(this);
    logo->setFixedSize(150, 150);

    auto* title = new QLabel(QStringLiteral("TQ530  Clonewise Setup System"), this);
    title->setObjectName(QStringLiteral("AboutTitle"));
    QFont bold = title->font();
    bold.setBold(true);
    bold.setPointSizeF(bold.pointSizeF() * 1.25);
    title->setFont(bold);
    auto* version = new QLabel(VersionText(), this);
    version->setObjectName(QStringLiteral("AboutVersion"));
    auto* notice = new QLabel(QString::fromLatin1(kLegalNotice), this);
    notice->setObjectName(QStringLiteral("AboutNotice"));
    notice->setWordWrap(true);
    notice->setMinimumWidth(320);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    buttons->button(QDialogButtonBox::Ok)->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto* text = new QVBoxLayout;
    text->addWidget(title);
    text->addWidget(version);
    text->addSpacing(8);
    text->addWidget(notice);
    text->addStretch();
    auto* row = new QHBoxLayout;
    row->addWidget(logo, 0, Qt::AlignTop);
    row->addSpacing(12);
    row->addLayout(text, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

}  // namespace tq530
