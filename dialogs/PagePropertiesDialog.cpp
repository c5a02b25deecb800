#include "dialogs/PagePropertiesDialog.h"

#include <QDialogButtonBox>
#include <QFileInfo>
#include <QFormLayout>
#include <QLabel>
#include <QLocale>
#include <QMimeDatabase>
#include <QPushButton>
#include <QVBoxLayout>

PageFacts pageFacts(const QUrl& url, const QString& title, qint64 documentBytes) {
    PageFacts facts;
    facts.title = title;
    facts.address = url.toString();
    const QMimeDatabase mime;
    if (url.isLocalFile()) {
        const QFileInfo file(url.toLocalFile());
        facts.size = file.exists() ? file.size() : -1;
        facts.type = mime.mimeTypeForFile(file).name();
    } else {
        facts.size = documentBytes;
        // "/news/" or "/index" say nothing: web servers answer those with HTML.
        const QString name = QFileInfo(url.path()).fileName();
        const QMimeType byName = mime.mimeTypeForFile(name, QMimeDatabase::MatchExtension);
        facts.type =
            name.isEmpty() || byName.isDefault() ? QStringLiteral("text/html") : byName.name();
    }
    return facts;
}

QString sizeText(qint64 bytes) {
    if (bytes < 0)
        return QStringLiteral("未知");
    return QLocale(QLocale::English).toString(bytes) + QStringLiteral(" 字节");
}

PagePropertiesDialog::PagePropertiesDialog(const PageFacts& facts, QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(QStringLiteral("网页属性"));
    const auto value = [this](const QString& text) {
        auto* label = new QLabel(text, this);
        label->setTextFormat(Qt::PlainText); // a page's title is not markup
        label->setTextInteractionFlags(Qt::TextSelectableByMouse);
        label->setWordWrap(true);
        return label;
    };
    lblTitle = value(facts.title);
    lblAddress = value(facts.address);
    lblType = value(facts.type);
    lblSize = value(sizeText(facts.size));
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("标题:"), lblTitle);
    form->addRow(QStringLiteral("地址:"), lblAddress);
    form->addRow(QStringLiteral("类型:"), lblType);
    form->addRow(QStringLiteral("大小:"), lblSize);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("确定"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
    setMinimumWidth(420);
}
