#include "dialogs/frmXML.h"

#include "app/Artwork.h"
#include "app/MessageBoxes.h"
#include "controls/ButtonXP.h"
#include "controls/Twips.h"
#include "controls/modFileDialog.h"
#include "core/opml/OpmlSource.h"
#include "platform/XmlDocument.h"

#include <QApplication>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QLinearGradient>
#include <QPainter>
#include <QScopeGuard>
#include <QScreen>
#include <QStackedWidget>
#include <QTimer>
#include <QTreeWidget>

namespace {

using twip::px;

const QSize kButton(px(975), px(375));

// Page 1's background: a soft gradient with the program's feed picture.
class PageBackground : public QWidget {
public:
    using QWidget::QWidget;

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        QLinearGradient gradient(0, 0, 0, height());
        gradient.setColorAt(0, QColor(255, 255, 255));
        gradient.setColorAt(0.35, QColor(232, 240, 252));
        gradient.setColorAt(1, QColor(198, 214, 240));
        painter.fillRect(rect(), gradient);
        painter.drawPixmap(px(240), px(180), artwork::pixmap(artwork::Picture::RssChannel, 32));
        QFont font = painter.font();
        font.setPointSizeF(font.pointSizeF() * 1.6);
        font.setBold(true);
        painter.setFont(font);
        painter.setPen(QColor(40, 70, 130));
        painter.drawText(QRect(px(840), px(180), width() - px(960), 32),
                         Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("OPML"));
    }
};

ButtonXP* button(const QString& caption, QWidget* parent, int xTwips, int yTwips) {
    auto* b = new ButtonXP(caption, parent);
    b->setDialogLook();
    b->setGeometry(QRect(QPoint(px(xTwips), px(yTwips)), kButton));
    // Enter in the path box loads it; no button takes Enter for itself.
    b->setAutoDefault(false);
    b->setDefault(false);
    return b;
}

} // namespace

frmXML::frmXML(QWidget* parent) : QDialog(parent, Qt::Tool | Qt::MSWindowsFixedSizeDialogHint) {
    setWindowTitle(QStringLiteral("建立OPML群组"));
    setFixedSize(px(5490), px(4545));
    QFont tahoma(QStringLiteral("Tahoma"));
    tahoma.setPointSizeF(8.25);
    setFont(tahoma);

    pages = new QStackedWidget(this);
    pages->setGeometry(rect());
    buildPage1();
    buildPage2();
    pages->setCurrentWidget(page1);
}

frmXML::~frmXML() = default;

void frmXML::buildPage1() {
    page1 = new PageBackground(pages);
    pages->addWidget(page1);
    Label1 = new QLabel(QStringLiteral("请输入OPML目录所在路径(本地端档案或网络地址)"), page1);
    Label1->setGeometry(px(240), px(960), px(5055), px(300));
    opmltxt = new QLineEdit(page1);
    opmltxt->setGeometry(px(240), px(1440), px(5055), px(300));
    ButtonXP5 = button(QStringLiteral("选 择...   "), page1, 4200, 1800);
    ButtonXP6 = button(QStringLiteral("确 定  "), page1, 3000, 3960);
    ButtonXP7 = button(QStringLiteral("取 消  "), page1, 4200, 3960);
    connect(ButtonXP5, &QPushButton::clicked, this, &frmXML::mnuFileOpen);
    connect(ButtonXP6, &QPushButton::clicked, this, &frmXML::mnuFileOpenURL);
    connect(opmltxt, &QLineEdit::returnPressed, this, &frmXML::mnuFileOpenURL);
    connect(ButtonXP7, &QPushButton::clicked, this, &frmXML::reject);
}

void frmXML::buildPage2() {
    page2 = new QWidget(pages);
    pages->addWidget(page2);
    const int frameWidth = px(5490 - 240);

    Frame1 = new QGroupBox(QStringLiteral("新频道标题"), page2);
    Frame1->setGeometry(px(120), px(120), frameWidth, px(660));
    auto* icon = new QLabel(Frame1);
    icon->setPixmap(artwork::pixmap(artwork::Picture::Folder, 16));
    icon->setGeometry(px(120), px(300), 16, 16);
    Text1 = new QLineEdit(Frame1);
    Text1->setGeometry(px(480), px(270), frameWidth - px(600), px(300));

    Frame2 = new QGroupBox(QStringLiteral("RSS 标题"), page2);
    Frame2->setGeometry(px(120), px(840), frameWidth, px(3960 - 840 - 90));
    ListView1 = new QTreeWidget(Frame2);
    ListView1->setGeometry(px(120), px(270), frameWidth - px(240), Frame2->height() - px(390));
    ListView1->setColumnCount(1);
    ListView1->setHeaderLabels({QStringLiteral("RSS 标题")});
    ListView1->setRootIsDecorated(false);
    ListView1->setUniformRowHeights(true);
    ListView1->setIconSize(QSize(16, 16));
    ListView1->header()->setStretchLastSection(true);

    ButtonXP1 = button(QStringLiteral("全 选  "), page2, 600, 3960);
    ButtonXP2 = button(QStringLiteral("取消全选     "), page2, 1800, 3960);
    ButtonXP3 = button(QStringLiteral("确 定  "), page2, 3000, 3960);
    ButtonXP4 = button(QStringLiteral("取 消  "), page2, 4200, 3960);
    connect(ButtonXP1, &QPushButton::clicked, this, [this] { checkAll(true); });
    connect(ButtonXP2, &QPushButton::clicked, this, [this] { checkAll(false); });
    connect(ButtonXP3, &QPushButton::clicked, this, [this] { emit groupAccepted(Text1->text()); });
    connect(ButtonXP4, &QPushButton::clicked, this, &frmXML::reject);
    // A click on a check box toggles it and shows nothing.
    connect(ListView1, &QTreeWidget::itemChanged, this, [this] {
        m_checkToggled = true;
        QTimer::singleShot(0, this, [this] { m_checkToggled = false; });
    });
    connect(ListView1, &QTreeWidget::itemClicked, this, &frmXML::rowClicked);
}

void frmXML::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (m_placed)
        return;
    m_placed = true;
    if (QScreen* screen = parentWidget() ? parentWidget()->screen() : QApplication::primaryScreen())
        move(modFileDialog::centredTopLeft(screen->geometry(), frameGeometry().size()));
}

void frmXML::reject() {
    // Closing while a document downloads ends the download.
    m_closed = true;
    if (m_loading)
        opml::cancelLoad();
    QDialog::reject();
}

bool frmXML::showsRows() const {
    return pages->currentWidget() == page2;
}

void frmXML::mnuFileOpen() {
    if (m_loading)
        return;
    ListView1->clear();
    const OpenFileResult chosen = modFileDialog::ShowOpenFile(this, true);
    if (chosen.Cancelled || chosen.FileNames.isEmpty()) {
        blnLoadFailed = true;
    } else {
        // Several chosen files come back with a folder that has no
        // separator at its end; the first file is the document.
        QString folder = chosen.Folder;
        if (!folder.endsWith(QLatin1Char('/')))
            folder += QLatin1Char('/');
        const QString path = folder + chosen.FileNames.first();
        opmltxt->setText(path);
        load(path, QStringLiteral("XML Parse Error"));
    }
    afterLoad();
}

void frmXML::mnuFileOpenURL() {
    if (m_loading)
        return;
    const QString source = opmltxt->text().trimmed();
    if (source.isEmpty()) {
        opmltxt->setFocus(); // nothing to load yet
        return;
    }
    ListView1->clear();
    load(source, QStringLiteral("提示"));
    afterLoad();
}

void frmXML::load(const QString& source, const QString& errorTitle) {
    m_loading = true;
    page1->setEnabled(false);
    QApplication::setOverrideCursor(Qt::WaitCursor);
    auto document = std::make_unique<XmlDocument>();
    XmlParseError error;
    bool loaded = false;
    {
        const auto restore = qScopeGuard([this] {
            QApplication::restoreOverrideCursor();
            page1->setEnabled(true);
            m_loading = false;
        });
        loaded = opml::loadDocument(source, *document, error);
    }
    if (m_closed) {
        blnLoadFailed = true; // the dialog was closed while the document came
        return;
    }
    if (!loaded) {
        messageBoxes::show(this, messageBoxes::Kind::Warning, opml::errorMessage(error),
                           errorTitle);
        blnLoadFailed = true;
        return;
    }
    XMLDoc = std::move(document);
    m_outline = opml::read(*XMLDoc);
}

void frmXML::afterLoad() {
    if (blnLoadFailed) {
        blnLoadFailed = false;
        return; // page 1 stays for another attempt
    }
    if (m_outline.rows.isEmpty()) {
        messageBoxes::show(this, messageBoxes::Kind::Information,
                           QStringLiteral("您所指定的是一个非法OPML群组!"));
        done(QDialog::Rejected);
        return;
    }
    if (m_outline.hasTitle)
        Text1->setText(m_outline.title);
    const QIcon rowIcon(artwork::pixmap(artwork::Picture::RssChannel, 16));
    QList<QTreeWidgetItem*> items;
    items.reserve(m_outline.rows.size());
    for (const opml::Row& row : m_outline.rows) {
        auto* item = new QTreeWidgetItem(QStringList{row.text});
        item->setData(0, AddressRole, row.address);
        item->setIcon(0, rowIcon);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        item->setCheckState(0, Qt::Checked);
        items.append(item);
    }
    const QSignalBlocker quiet(ListView1);
    ListView1->addTopLevelItems(items);
    pages->setCurrentWidget(page2);
    Text1->setFocus();
}

void frmXML::checkAll(bool checked) {
    const QSignalBlocker quiet(ListView1);
    for (int i = 0; i < ListView1->topLevelItemCount(); ++i)
        ListView1->topLevelItem(i)->setCheckState(0, checked ? Qt::Checked : Qt::Unchecked);
    ListView1->viewport()->update();
}

void frmXML::rowClicked(QTreeWidgetItem* row) {
    if (m_checkToggled) {
        m_checkToggled = false;
        return;
    }
    if (row)
        messageBoxes::show(this, messageBoxes::Kind::Plain, row->data(0, AddressRole).toString());
}

QList<opml::Row> frmXML::checkedRows() const {
    QList<opml::Row> rows;
    for (int i = 0; i < ListView1->topLevelItemCount(); ++i) {
        const QTreeWidgetItem* item = ListView1->topLevelItem(i);
        if (item->checkState(0) == Qt::Checked)
            rows.append({item->text(0), item->data(0, AddressRole).toString()});
    }
    return rows;
}
