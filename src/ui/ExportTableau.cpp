#include "ExportTableau.h"

#include "Interaction.h"
#include "Traduction.h"

#include <QAbstractItemModel>
#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QGuiApplication>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QKeySequence>
#include <QSaveFile>

#include <algorithm>

namespace morvix::ui {

namespace {

struct Colonne {
    int section;
    bool brute;
};

std::vector<Colonne> colonnes(const QAbstractItemModel &m) {
    std::vector<Colonne> c;
    for (int s = 0; s < m.columnCount(); ++s) {
        c.push_back({s, false});
        if (m.headerData(s, Qt::Horizontal, RoleBrut).isValid()) {
            c.push_back({s, true});
        }
    }
    return c;
}

QString cellule(QString t, FormatTableau f) {
    if (f == FormatTableau::Tsv) {
        for (QChar &ch : t) {
            if (ch == QLatin1Char('\t') || ch == QLatin1Char('\n') || ch == QLatin1Char('\r')) {
                ch = QLatin1Char(' ');
            }
        }
        return t;
    }
    if (t.contains(QLatin1Char(',')) || t.contains(QLatin1Char('"')) ||
        t.contains(QLatin1Char('\n')) || t.contains(QLatin1Char('\r'))) {
        t.replace(QLatin1Char('"'), QStringLiteral("\"\""));
        return QLatin1Char('"') + t + QLatin1Char('"');
    }
    return t;
}

void ajouteLigne(QString &sortie, const QStringList &cellules, FormatTableau f) {
    const QLatin1Char sep(f == FormatTableau::Tsv ? '\t' : ',');
    for (qsizetype i = 0; i < cellules.size(); ++i) {
        if (i > 0) {
            sortie += sep;
        }
        sortie += cellule(cellules[i], f);
    }
    sortie += QLatin1Char('\n');
}

QString texteBrut(const QVariant &v) {
    if (!v.isValid()) {
        return {};
    }
    if (v.typeId() == QMetaType::Double) {
        return QString::number(v.toDouble(), 'g', 17);
    }
    return v.toString();
}

// The view's own Ctrl+C copies one cell: rows are copied instead.
class FiltreCopie : public QObject {
  public:
    explicit FiltreCopie(QAbstractItemView *vue) : QObject(vue), m_vue(vue) {}

  protected:
    bool eventFilter(QObject *objet, QEvent *event) override {
        if (event->type() == QEvent::ShortcutOverride || event->type() == QEvent::KeyPress) {
            auto *touche = static_cast<QKeyEvent *>(event);
            if (touche->matches(QKeySequence::Copy)) {
                if (event->type() == QEvent::KeyPress) {
                    CopieSelection(m_vue);
                }
                event->accept();
                return true;
            }
        }
        return QObject::eventFilter(objet, event);
    }

  private:
    QAbstractItemView *m_vue;
};

} // namespace

QString TexteTableau(const QAbstractItemModel &m, const std::vector<int> &lignesDemandees,
                     FormatTableau f) {
    const std::vector<Colonne> cols = colonnes(m);
    QString sortie;
    QStringList entete;
    for (const Colonne &c : cols) {
        entete << (c.brute ? m.headerData(c.section, Qt::Horizontal, RoleBrut).toString()
                           : m.headerData(c.section, Qt::Horizontal, Qt::DisplayRole).toString());
    }
    ajouteLigne(sortie, entete, f);
    const int nb = m.rowCount();
    auto ligne = [&](int r) {
        QStringList cellules;
        for (const Colonne &c : cols) {
            const QModelIndex i = m.index(r, c.section);
            cellules << (c.brute ? texteBrut(m.data(i, RoleBrut)) : m.data(i).toString());
        }
        ajouteLigne(sortie, cellules, f);
    };
    if (lignesDemandees.empty()) {
        for (int r = 0; r < nb; ++r) {
            ligne(r);
        }
    } else {
        for (int r : lignesDemandees) {
            if (r >= 0 && r < nb) {
                ligne(r);
            }
        }
    }
    return sortie;
}

bool ExporteTableau(const QAbstractItemModel &m, const QString &chemin, QString *erreur) {
    const FormatTableau f = chemin.endsWith(QStringLiteral(".csv"), Qt::CaseInsensitive)
                                ? FormatTableau::Csv
                                : FormatTableau::Tsv;
    QSaveFile fichier(chemin);
    if (!fichier.open(QIODevice::WriteOnly)) {
        if (erreur != nullptr) {
            *erreur = fichier.errorString();
        }
        return false;
    }
    const QByteArray octets = TexteTableau(m, {}, f).toUtf8();
    if (fichier.write(octets) != octets.size() || !fichier.commit()) {
        if (erreur != nullptr) {
            *erreur = fichier.errorString();
        }
        return false;
    }
    return true;
}

void ExporteVue(QAbstractItemView *vue, const QString &nom) {
    if (vue == nullptr || vue->model() == nullptr) {
        return;
    }
    const QString chemin = Interactions().choisitFichierEnregistrement(
        vue->window(), Tr("Exporter le tableau"),
        Tr("Texte séparé par des tabulations (*.tsv);;Valeurs séparées par des virgules (*.csv)"),
        nom);
    if (chemin.isEmpty()) {
        return;
    }
    QString erreur;
    if (!ExporteTableau(*vue->model(), chemin, &erreur)) {
        Message(vue->window(), QMessageBox::Warning, Tr("Morvix3"),
                Tr("Le tableau n'a pas pu être écrit dans %1 : %2").arg(chemin, erreur),
                QMessageBox::Ok);
    }
}

void CopieSelection(QAbstractItemView *vue) {
    if (vue == nullptr || vue->model() == nullptr || vue->selectionModel() == nullptr) {
        return;
    }
    std::vector<int> lignes;
    for (const QModelIndex &i : vue->selectionModel()->selectedIndexes()) {
        lignes.push_back(i.row());
    }
    std::sort(lignes.begin(), lignes.end());
    lignes.erase(std::unique(lignes.begin(), lignes.end()), lignes.end());
    if (lignes.empty()) {
        return;
    }
    QGuiApplication::clipboard()->setText(TexteTableau(*vue->model(), lignes, FormatTableau::Tsv));
}

QAction *ActionExportTableau(QAbstractItemView *vue, const QString &nom) {
    auto *action = new QAction(Tr("Exporter le tableau..."), vue);
    action->setObjectName(QStringLiteral("ActionExportTableau"));
    QObject::connect(action, &QAction::triggered, vue, [vue, nom] { ExporteVue(vue, nom); });
    return action;
}

void InstalleExportTableau(QAbstractItemView *vue, const QString &nom) {
    vue->setContextMenuPolicy(Qt::ActionsContextMenu);
    vue->addAction(ActionExportTableau(vue, nom));
    auto *copie = new QAction(Tr("Copier"), vue);
    copie->setObjectName(QStringLiteral("ActionCopieSelection"));
    copie->setShortcut(QKeySequence::Copy);
    copie->setShortcutContext(Qt::WidgetShortcut);
    QObject::connect(copie, &QAction::triggered, vue, [vue] { CopieSelection(vue); });
    vue->addAction(copie);
    vue->installEventFilter(new FiltreCopie(vue));
}

} // namespace morvix::ui
