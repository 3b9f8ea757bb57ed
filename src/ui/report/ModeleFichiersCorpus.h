// The rows of the corpus creation list: each file with its tag name, path, kind and size.
#pragma once

#include "report/Fic.h"

#include <QAbstractTableModel>

#include <vector>

namespace morvix::ui {

class ModeleFichiersCorpus : public QAbstractTableModel {
    Q_OBJECT
  public:
    enum Colonne { ColNom, ColChemin, ColType, ColTaille, NbColonnes };

    explicit ModeleFichiersCorpus(QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    const std::vector<Fic> &Fichiers() const { return m_fichiers; }
    // Adds the file unless a row has the same path; false when it was there.
    bool Ajoute(const std::string &chemin);

    // The caption of a kind of file.
    static QString TexteType(int32_t type);

  private:
    std::vector<Fic> m_fichiers;
};

} // namespace morvix::ui
