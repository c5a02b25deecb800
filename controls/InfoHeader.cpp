#include "controls/InfoHeader.h"

#include "controls/modGradient.h"

#include <QLabel>
#include <QPainter>

namespace {
constexpr int kIconGapPx = 7;
constexpr int kEdgePx = 4;
} // namespace

InfoHeader::InfoHeader(QWidget* parent)
    : QWidget(parent), imgIco(new QLabel(this)), lblCaption(new QLabel(this)),
      m_leftColor(modGradient::translateColor(0x80000010)),
      m_rightColor(modGradient::translateColor(0x8000000F)),
      m_foreColor(modGradient::translateColor(0x80000015)) {
    lblCaption->setAttribute(Qt::WA_TranslucentBackground);
    lblCaption->setText(QStringLiteral("Information Header v1.0"));
    QFont font(QStringLiteral("Tahoma"));
    font.setPointSize(8);
    font.setBold(true);
    lblCaption->setFont(font);
    QPixmap icon(16, 16);
    icon.fill(Qt::transparent);
    {
        QPainter p(&icon);
        p.setRenderHint(QPainter::Antialiasing);
        p.setBrush(QColor(66, 89, 132));
        p.setPen(Qt::NoPen);
        p.drawEllipse(1, 1, 14, 14);
        p.setPen(QPen(Qt::white, 2));
        p.drawLine(8, 7, 8, 12);
        p.drawPoint(8, 4);
    }
    m_picture = icon;
    imgIco->setPixmap(icon);
    imgIco->resize(16, 16);
    Redraw(true);
}

void InfoHeader::changed(const char* name, bool gradient) {
    emit propertyChanged(QString::fromLatin1(name));
    Redraw(gradient);
}

void InfoHeader::setGradientStyle(qint32 style) {
    m_gradientStyle = style;
    changed("GradientStyle", true);
}

void InfoHeader::setLeftColor(quint32 colour) {
    m_leftColor = modGradient::translateColor(colour);
    changed("LeftColor", true);
}

void InfoHeader::setRightColor(quint32 colour) {
    m_rightColor = modGradient::translateColor(colour);
    changed("RightColor", true);
}

void InfoHeader::setMaxFill(qint16 percent) {
    m_maxFill = std::min<qint16>(percent, 100);
    changed("MaxFill", true);
}

QFont InfoHeader::FontName() const {
    return lblCaption->font();
}

void InfoHeader::setFontName(const QFont& font) {
    lblCaption->setFont(font);
    changed("FontName", false);
}

void InfoHeader::setForeColor(quint32 colour) {
    m_foreColor = colour;
    QPalette palette = lblCaption->palette();
    palette.setColor(QPalette::WindowText, modGradient::toQColor(colour));
    lblCaption->setPalette(palette);
    changed("ForeColor", false);
}

QString InfoHeader::Caption() const {
    return lblCaption->text();
}

void InfoHeader::setCaption(const QString& text) {
    lblCaption->setText(m_multiLine ? DoMultiLining(text) : text);
    changed("Caption", false);
}

void InfoHeader::setAlignment(qint32 alignment) {
    if (alignment == UnderIcon && !m_hasIcon)
        return;
    m_alignment = alignment;
    changed("Alignment", false);
}

void InfoHeader::setMultiLine(bool on) {
    m_multiLine = on;
    lblCaption->setText(on ? DoMultiLining(lblCaption->text()) : RemoveCRLF(lblCaption->text()));
    changed("MultiLine", false);
}

void InfoHeader::setHasIcon(bool on) {
    if (!on && m_alignment == UnderIcon)
        m_alignment = Left;
    m_hasIcon = on;
    changed("HasIcon", false);
}

void InfoHeader::setPicture(const QPixmap& picture) {
    m_picture = picture;
    imgIco->setPixmap(picture);
    imgIco->resize(picture.isNull() ? QSize(16, 16) : picture.size());
    changed("Picture", false);
}

QString InfoHeader::DoMultiLining(const QString& sText) {
    if (!sText.contains(QLatin1Char('|')))
        return sText;
    return sText.split(QLatin1Char('|')).join(QStringLiteral("\r\n"));
}

QString InfoHeader::RemoveCRLF(const QString& sText) {
    QString out;
    out.reserve(sText.size());
    for (QChar ch : sText) {
        if (ch == QLatin1Char('\r'))
            out += QLatin1Char('|');
        else if (ch != QLatin1Char('\n'))
            out += ch;
    }
    return out;
}

void InfoHeader::Redraw(bool reDrawGrad) {
    lblCaption->adjustSize();
    const int h = height();
    const int w = width();
    const QSize caption = lblCaption->size();
    const QSize icon = imgIco->size();
    if (m_hasIcon) {
        imgIco->show();
        int iconLeft = imgIco->x();
        int iconTop = imgIco->y();
        int captionTop = lblCaption->y();
        if (!m_multiLine) {
            captionTop = (h - caption.height()) / 2;
            iconLeft = kEdgePx;
            iconTop = (h - icon.height()) / 2;
        } else if (icon.height() > caption.height()) {
            iconTop = (h - icon.height()) / 2;
            captionTop = iconTop;
        } else {
            captionTop = (h - caption.height()) / 2;
            iconTop = captionTop;
        }
        int captionLeft = lblCaption->x();
        switch (m_alignment) {
        case Left:
            captionLeft = iconLeft + icon.width() + kIconGapPx;
            lblCaption->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
            break;
        case Centre:
            lblCaption->setAlignment(Qt::AlignHCenter | Qt::AlignVCenter);
            captionLeft =
                iconLeft + icon.width() + (w - iconLeft - icon.width() - caption.width()) / 2;
            break;
        case Right:
            captionLeft = w - caption.width() - kEdgePx;
            lblCaption->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
            break;
        case UnderIcon:
            lblCaption->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
            iconTop = (h - (caption.height() + icon.height() + 2)) / 2;
            captionTop = iconTop + icon.height() + 2;
            captionLeft = iconLeft;
            break;
        default:
            break;
        }
        imgIco->move(iconLeft, iconTop);
        lblCaption->move(captionLeft, captionTop);
    } else {
        imgIco->hide();
        const int captionTop = (h - caption.height()) / 2;
        int captionLeft = kEdgePx;
        if (m_alignment == Centre) {
            captionLeft = (w - caption.width()) / 2;
            lblCaption->setAlignment(Qt::AlignHCenter | Qt::AlignVCenter);
        } else if (m_alignment == Right) {
            captionLeft = w - caption.width() - kEdgePx;
            lblCaption->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        } else {
            lblCaption->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        }
        lblCaption->move(captionLeft, captionTop);
    }
    if (reDrawGrad)
        update();
}

void InfoHeader::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Button));
    modGradient::paintGradient(painter, width(), height(), m_leftColor, m_rightColor, m_maxFill,
                               m_gradientStyle);
}

void InfoHeader::resizeEvent(QResizeEvent*) {
    Redraw(true);
}
