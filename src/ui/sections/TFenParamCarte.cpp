#include "sections/TFenParamCarte.h"

#include "Interaction.h"
#include "Texte.h"
#include "Traduction.h"

#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace morvix::ui {

namespace {

QLabel *carre(const char *nom) {
    auto *l = new QLabel;
    l->setObjectName(QString::fromLatin1(nom));
    l->setFixedSize(24, 24);
    return l;
}

void colore(QLabel *l, uint32_t couleur) {
    l->setStyleSheet(
        QStringLiteral("background: %1; border: 1px solid black;").arg(CouleurQt(couleur).name()));
    l->setProperty("couleur", couleur);
}

bool entier(const QString &texte, int32_t &valeur) {
    bool ok = false;
    const int v = texte.trimmed().toInt(&ok);
    if (ok) {
        valeur = v;
    }
    return ok;
}

} // namespace

TFenParamCarte::TFenParamCarte(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint),
      m_shape1(carre("Shape1")), m_shCol{carre("ShCol1"), carre("ShCol2"), carre("ShCol3")},
      m_edit1(new QLineEdit), m_edit2(new QLineEdit), m_ok(new QPushButton(Tr("OK"))) {
    setObjectName(QStringLiteral("FenParamCarte"));
    setWindowTitle(Tr("Réglages"));
    // A thin frame stands in for the window border it has not got.
    setStyleSheet(QStringLiteral("#FenParamCarte { border: 1px solid palette(dark); }"));
    m_edit1->setObjectName(QStringLiteral("Edit1"));
    m_edit2->setObjectName(QStringLiteral("Edit2"));
    m_edit1->setText(QStringLiteral("5"));
    m_edit2->setText(QStringLiteral("2"));
    m_edit1->setFixedWidth(40);
    m_edit2->setFixedWidth(40);
    m_shape1->setToolTip(Tr("Couleur du terme principal"));
    m_shape1->setAccessibleName(Tr("Couleur du terme principal"));
    const QString libelles[3] = {Tr("Seuil 2"), Tr("Seuil 1"), Tr("Présence")};
    for (int i = 0; i < 3; ++i) {
        m_shCol[i]->setToolTip(Tr("Cliquez pour changer cette nuance"));
        m_shCol[i]->setAccessibleName(libelles[i]);
        m_shCol[i]->installEventFilter(this);
    }
    auto *annuler = new QPushButton(Tr("Annuler"));
    m_ok->setObjectName(QStringLiteral("BtnOk"));
    annuler->setObjectName(QStringLiteral("BtnAnnuler"));
    m_ok->setDefault(true);
    connect(m_ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(annuler, &QPushButton::clicked, this, &QDialog::reject);

    auto *grille = new QGridLayout;
    grille->addWidget(m_shape1, 0, 0, 3, 1, Qt::AlignTop);
    for (int i = 0; i < 3; ++i) {
        grille->addWidget(m_shCol[i], i, 1);
        grille->addWidget(new QLabel(libelles[i]), i, 2);
    }
    grille->addWidget(m_edit1, 0, 3);
    grille->addWidget(m_edit2, 1, 3);
    auto *boutons = new QHBoxLayout;
    boutons->addStretch(1);
    boutons->addWidget(m_ok);
    boutons->addWidget(annuler);
    auto *colonne = new QVBoxLayout(this);
    colonne->addLayout(grille);
    colonne->addLayout(boutons);
    SetCouleur(kNoir);
}

void TFenParamCarte::SetCouleur(uint32_t couleur) {
    m_couleur = couleur;
    m_nuances = NuancesDe(couleur);
    peint();
}

void TFenParamCarte::peint() {
    colore(m_shape1, m_couleur);
    colore(m_shCol[0], m_nuances.pleine);
    colore(m_shCol[1], m_nuances.moyenne);
    colore(m_shCol[2], m_nuances.claire);
}

QString TFenParamCarte::Applique(CarteSections &carte) const {
    carte.SetCouleurs(m_nuances);
    int32_t valeur = 0;
    for (auto [edit, seuil2] : {std::pair{m_edit1, true}, std::pair{m_edit2, false}}) {
        if (!entier(edit->text(), valeur)) {
            return Tr("« %1 » n'est pas une valeur entière correcte.").arg(edit->text());
        }
        if (seuil2) {
            carte.SetSeuil2(valeur);
        } else {
            carte.SetSeuil1(valeur);
        }
    }
    return {};
}

bool TFenParamCarte::eventFilter(QObject *objet, QEvent *event) {
    if (event->type() == QEvent::MouseButtonRelease) {
        uint32_t *nuance[3] = {&m_nuances.pleine, &m_nuances.moyenne, &m_nuances.claire};
        for (int i = 0; i < 3; ++i) {
            if (objet == m_shCol[i]) {
                if (const auto c = Interactions().choisitCouleur(this, CouleurQt(*nuance[i]))) {
                    *nuance[i] = CouleurBgr(*c);
                    peint();
                }
                return true;
            }
        }
    }
    return QDialog::eventFilter(objet, event);
}

} // namespace morvix::ui
