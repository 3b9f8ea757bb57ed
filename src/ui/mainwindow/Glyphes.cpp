#include "mainwindow/Glyphes.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace morvix::ui {

namespace {

constexpr int kTaille = 32;

QPen trait(const QColor &c, qreal largeur = 2.0) {
    return QPen(c, largeur, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

void page(QPainter &p, const QRectF &r, const QColor &fond = QColor(255, 255, 255)) {
    p.setPen(trait(QColor(60, 60, 60), 1.5));
    p.setBrush(fond);
    p.drawRect(r);
}

void lignes(QPainter &p, const QRectF &r, int n, const QColor &c = QColor(90, 90, 90)) {
    p.setPen(trait(c, 1.5));
    const qreal pas = r.height() / (n + 1);
    for (int i = 1; i <= n; ++i) {
        p.drawLine(QPointF(r.left() + 3, r.top() + i * pas),
                   QPointF(r.right() - 3, r.top() + i * pas));
    }
}

void sigle(QPainter &p, const QRectF &r, const QString &texte, const QColor &c, int points) {
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setBold(true);
    f.setPixelSize(points);
    p.setFont(f);
    p.setPen(c);
    p.drawText(r, Qt::AlignCenter, texte);
}

void dessine(QPainter &p, Glyphe g) {
    const QColor bleu(30, 80, 180), rouge(200, 40, 40), vert(30, 140, 60), gris(80, 80, 80);
    switch (g) {
    case Glyphe::Segment: {
        page(p, QRectF(5, 3, 18, 24));
        lignes(p, QRectF(5, 3, 18, 24), 4);
        p.setPen(trait(rouge, 2.5));
        p.drawLine(QPointF(16, 14), QPointF(29, 27));
        p.drawLine(QPointF(29, 14), QPointF(16, 27));
        break;
    }
    case Glyphe::Ouvrir: {
        p.setPen(trait(QColor(120, 90, 20), 1.5));
        p.setBrush(QColor(240, 200, 90));
        QPainterPath dos;
        dos.moveTo(3, 8);
        dos.lineTo(12, 8);
        dos.lineTo(14, 11);
        dos.lineTo(28, 11);
        dos.lineTo(28, 27);
        dos.lineTo(3, 27);
        dos.closeSubpath();
        p.drawPath(dos);
        p.setBrush(QColor(250, 220, 120));
        p.drawPolygon(
            QPolygonF({QPointF(7, 15), QPointF(31, 15), QPointF(27, 27), QPointF(3, 27)}));
        break;
    }
    case Glyphe::Docu: {
        page(p, QRectF(3, 4, 26, 24));
        lignes(p, QRectF(3, 4, 26, 24), 5);
        p.setPen(Qt::NoPen);
        p.setBrush(rouge);
        p.drawRect(QRectF(13, 7, 6, 18));
        break;
    }
    case Glyphe::SR:
        page(p, QRectF(3, 4, 26, 24));
        p.setPen(trait(bleu, 3));
        p.drawLine(QPointF(7, 11), QPointF(18, 11));
        p.drawLine(QPointF(12, 20), QPointF(23, 20));
        p.setPen(trait(gris, 1.5));
        p.drawLine(QPointF(20, 11), QPointF(25, 11));
        p.drawLine(QPointF(7, 20), QPointF(10, 20));
        break;
    case Glyphe::PCLC:
        sigle(p, QRectF(0, 0, kTaille, kTaille), QStringLiteral("\u03a3"), bleu, 26);
        break;
    case Glyphe::Part: {
        p.setPen(trait(gris, 1.2));
        const int hauteurs[] = {10, 20, 14, 24, 7};
        const QColor couleurs[] = {bleu, rouge, vert, bleu, rouge};
        for (int i = 0; i < 5; ++i) {
            p.setBrush(couleurs[i]);
            p.drawRect(QRectF(3 + i * 5.5, 28 - hauteurs[i], 4.5, hauteurs[i]));
        }
        p.drawLine(QPointF(2, 28.5), QPointF(30, 28.5));
        break;
    }
    case Glyphe::Parag: {
        p.setPen(trait(gris, 1));
        const QColor couleurs[] = {
            QColor(250, 250, 250), rouge, QColor(250, 250, 250), bleu, QColor(250, 250, 250),
            QColor(250, 250, 250), rouge, QColor(250, 250, 250), bleu};
        for (int i = 0; i < 9; ++i) {
            p.setBrush(couleurs[i]);
            p.drawRect(QRectF(4 + (i % 3) * 8.5, 4 + (i / 3) * 8.5, 7, 7));
        }
        break;
    }
    case Glyphe::SelFormes:
        p.setPen(trait(bleu, 2));
        p.setBrush(QColor(200, 220, 250));
        p.drawEllipse(QRectF(3, 3, 18, 18));
        p.setPen(trait(gris, 4));
        p.drawLine(QPointF(19, 19), QPointF(29, 29));
        sigle(p, QRectF(3, 3, 18, 18), QStringLiteral("a*"), bleu, 10);
        break;
    case Glyphe::Conteneur:
    case Glyphe::ConteneurPlein: {
        p.setPen(trait(gris, 1.5));
        p.setBrush(QColor(225, 225, 225));
        p.drawRoundedRect(QRectF(4, 10, 24, 18), 3, 3);
        p.drawLine(QPointF(4, 14), QPointF(28, 14));
        if (g == Glyphe::ConteneurPlein) {
            p.setPen(Qt::NoPen);
            p.setBrush(rouge);
            p.drawEllipse(QRectF(8, 4, 8, 8));
            p.setBrush(bleu);
            p.drawEllipse(QRectF(16, 3, 8, 8));
        }
        break;
    }
    case Glyphe::Mosaique:
        p.setPen(trait(gris, 1.2));
        p.setBrush(QColor(210, 225, 245));
        p.drawRect(QRectF(3, 4, 12, 11));
        p.drawRect(QRectF(17, 4, 12, 11));
        p.drawRect(QRectF(3, 17, 12, 11));
        p.drawRect(QRectF(17, 17, 12, 11));
        break;
    case Glyphe::VaVersFeuille:
        page(p, QRectF(3, 5, 14, 20), QColor(235, 235, 235));
        page(p, QRectF(15, 8, 14, 20));
        p.setPen(trait(vert, 2.5));
        p.drawLine(QPointF(6, 16), QPointF(24, 16));
        p.drawLine(QPointF(20, 12), QPointF(24, 16));
        p.drawLine(QPointF(20, 20), QPointF(24, 16));
        break;
    case Glyphe::NvFeuille:
        page(p, QRectF(5, 3, 18, 24));
        p.setPen(trait(vert, 3));
        p.drawLine(QPointF(24, 18), QPointF(24, 30));
        p.drawLine(QPointF(18, 24), QPointF(30, 24));
        break;
    case Glyphe::AjouteRap:
        page(p, QRectF(4, 3, 18, 25), QColor(255, 250, 225));
        lignes(p, QRectF(4, 3, 18, 25), 4);
        p.setPen(trait(rouge, 3));
        p.drawLine(QPointF(25, 16), QPointF(25, 29));
        p.drawLine(QPointF(19, 22.5), QPointF(31, 22.5));
        break;
    case Glyphe::Options: {
        p.setPen(trait(gris, 1.5));
        p.setBrush(QColor(200, 200, 210));
        p.translate(16, 16);
        for (int i = 0; i < 8; ++i) {
            p.drawRect(QRectF(-2.5, -13, 5, 6));
            p.rotate(45);
        }
        p.drawEllipse(QRectF(-9, -9, 18, 18));
        p.setBrush(Qt::white);
        p.drawEllipse(QRectF(-3.5, -3.5, 7, 7));
        p.resetTransform();
        break;
    }
    case Glyphe::Edit:
        page(p, QRectF(4, 3, 20, 26));
        lignes(p, QRectF(4, 3, 20, 26), 5);
        p.setPen(trait(QColor(180, 120, 20), 3));
        p.drawLine(QPointF(14, 26), QPointF(29, 9));
        break;
    case Glyphe::Aide:
        p.setPen(trait(bleu, 2));
        p.setBrush(QColor(225, 235, 255));
        p.drawEllipse(QRectF(3, 3, 26, 26));
        sigle(p, QRectF(3, 3, 26, 26), QStringLiteral("?"), bleu, 20);
        break;
    case Glyphe::Quitter:
        p.setPen(trait(gris, 1.5));
        p.setBrush(QColor(150, 110, 70));
        p.drawRect(QRectF(8, 3, 16, 26));
        p.setPen(trait(rouge, 3));
        p.drawLine(QPointF(18, 16), QPointF(30, 16));
        p.drawLine(QPointF(26, 12), QPointF(30, 16));
        p.drawLine(QPointF(26, 20), QPointF(30, 16));
        break;
    case Glyphe::ListFen:
        p.setPen(trait(gris, 1.2));
        for (int i = 0; i < 3; ++i) {
            p.setBrush(i == 2 ? QColor(120, 160, 220) : QColor(230, 230, 230));
            p.drawRect(QRectF(3 + i * 4, 3 + i * 6, 20, 14));
        }
        break;
    }
}

} // namespace

QIcon IconeGlyphe(Glyphe g) {
    QPixmap image(kTaille, kTaille);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    dessine(p, g);
    p.end();
    return QIcon(image);
}

QIcon IconeNavigation(int index) {
    QPixmap image(16, 16);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(70, 70, 70), 1));
    if (index == 1) {
        p.setBrush(Qt::white);
        p.drawRect(QRectF(3, 1.5, 10, 13));
        p.drawLine(QPointF(5, 5), QPointF(11, 5));
        p.drawLine(QPointF(5, 8), QPointF(11, 8));
        p.drawLine(QPointF(5, 11), QPointF(11, 11));
    } else if (index == 2) {
        p.setBrush(QColor(240, 200, 90));
        p.drawRect(QRectF(1.5, 4.5, 13, 9));
        p.drawRect(QRectF(1.5, 2.5, 5, 2));
    } else {
        p.setBrush(QColor(210, 225, 245));
        p.drawRect(QRectF(1.5, 2.5, 13, 11));
        p.setBrush(QColor(40, 90, 180));
        p.drawRect(QRectF(1.5, 2.5, 13, 3));
    }
    p.end();
    return QIcon(image);
}

QPixmap Logo() {
    QPixmap image(205, 42);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient degrade(0, 0, 205, 0);
    degrade.setColorAt(0, QColor(30, 60, 150));
    degrade.setColorAt(1, QColor(120, 160, 230));
    p.setPen(Qt::NoPen);
    p.setBrush(degrade);
    p.drawRoundedRect(QRectF(1, 3, 203, 36), 8, 8);
    QFont f(QStringLiteral("DejaVu Serif"));
    f.setBold(true);
    f.setItalic(true);
    f.setPixelSize(24);
    p.setFont(f);
    p.setPen(Qt::white);
    p.drawText(QRectF(10, 3, 190, 36), Qt::AlignVCenter | Qt::AlignLeft,
               QStringLiteral("Morvix 3"));
    p.setBrush(QColor(255, 210, 80));
    for (int i = 0; i < 5; ++i) {
        const qreal h = 6 + 4 * ((i * 7) % 5);
        p.drawRect(QRectF(140 + i * 11, 32 - h, 8, h));
    }
    p.end();
    return image;
}

QPixmap ImageAccueil() {
    QPixmap image(528, 371);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient degrade(0, 0, 0, 371);
    degrade.setColorAt(0, QColor(25, 45, 110));
    degrade.setColorAt(1, QColor(70, 110, 190));
    p.fillRect(image.rect(), degrade);
    // A faint wall of words behind the title.
    QFont petit(QStringLiteral("DejaVu Serif"));
    petit.setPixelSize(15);
    p.setFont(petit);
    p.setPen(QColor(255, 255, 255, 40));
    const QString mots = QStringLiteral(
        "le de la et les des un une que dans il elle pour qui sur pas au ne plus se son ");
    for (int ligne = 0; ligne < 14; ++ligne) {
        p.drawText(QPointF(-40.0 * (ligne % 4), 24.0 + ligne * 25), mots + mots);
    }
    QFont titre(QStringLiteral("DejaVu Serif"));
    titre.setBold(true);
    titre.setPixelSize(64);
    p.setFont(titre);
    p.setPen(Qt::white);
    p.drawText(QRectF(0, 90, 528, 90), Qt::AlignCenter, QStringLiteral("Morvix 3"));
    QFont sous(QStringLiteral("DejaVu Sans"));
    sous.setPixelSize(18);
    p.setFont(sous);
    p.drawText(QRectF(0, 180, 528, 40), Qt::AlignCenter, QStringLiteral("Lexicométrie"));
    p.setPen(Qt::NoPen);
    const QColor couleurs[] = {QColor(255, 90, 90), QColor(255, 210, 80), QColor(120, 220, 140)};
    for (int i = 0; i < 12; ++i) {
        p.setBrush(couleurs[i % 3]);
        const qreal h = 12 + ((i * 37) % 60);
        p.drawRect(QRectF(180 + i * 14, 300 - h, 10, h));
    }
    p.end();
    return image;
}

} // namespace morvix::ui
