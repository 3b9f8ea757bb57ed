// The objects carried by drags inside the program: a plain one naming its source, a group
// of forms (codes, name, colour) and a partition. Drop sites recognise them by their class.
#pragma once

#include <QMimeData>
#include <QModelIndexList>
#include <QPointer>

class QTableView;

#include "groups/TgenDrag.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace morvix {
class Partition;
}

namespace morvix::ui {

// The format every object of ours carries, so that other programs' drops are told apart.
inline constexpr const char *kFormatMorvix = "application/x-morvix-objet";
// Colour value meaning "no colour chosen".
inline constexpr uint32_t kSansCouleur = 0xFFFFFF;

class TMorvixDragObject : public QMimeData {
    Q_OBJECT
  public:
    explicit TMorvixDragObject(QObject *source, int kind = 0);
    int Kind() const { return m_kind; }
    // The control the drag started from (null once it is gone).
    QObject *Source() const { return m_source; }

  private:
    int m_kind;
    QPointer<QObject> m_source;
};

class TTgenDragObject : public TMorvixDragObject {
    Q_OBJECT
  public:
    // `nom` is Windows-1252, empty when no name was given; Codes has room for n codes.
    TTgenDragObject(QObject *source, std::string nom, uint32_t couleur, int32_t n);
    int32_t NbCodes() const { return static_cast<int32_t>(Codes.size()); }
    // The content the core's drop protocol takes.
    TgenDrag Contenu() const { return {Codes, Couleur, Nom}; }

    std::vector<int32_t> Codes;
    std::string Nom;
    uint32_t Couleur;
};

// The group of the rows of `indexes` (each row once, in row order, the rows for which
// `garde` is false left out), each giving the code `code(row)`; null when no row is left.
TTgenDragObject *GroupeDesLignes(const QModelIndexList &indexes, QObject *source, std::string nom,
                                 uint32_t couleur, const std::function<int32_t(int)> &code,
                                 const std::function<bool(int)> &garde = {});

// Sets up a list of rows selected whole and never edited, whose selection drags out (its
// model's mimeData), with fixed rows one line high and no row header.
void PrepareListeGlissee(QTableView *liste);

class TPartDragObject : public TMorvixDragObject {
    Q_OBJECT
  public:
    TPartDragObject(QObject *source, Partition *partition);
    Partition *Part; // not owned
};

// The group drag carried by a drop event's data, or null.
const TTgenDragObject *GroupeDeplace(const QMimeData *data);

} // namespace morvix::ui
