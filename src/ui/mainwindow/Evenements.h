// The messages that cross windows: the report request posted to the active child window
// and a text dropped from another program.
#pragma once

#include <QEvent>
#include <QString>

namespace morvix::ui {

inline const QEvent::Type WM_AJOUTE_RAPPORT = static_cast<QEvent::Type>(QEvent::User + 1);
inline const QEvent::Type WM_DEPOT_TEXTE = static_cast<QEvent::Type>(QEvent::User + 2);

// A text dragged in from another program; the event carries its own copy.
class EvDepotTexte : public QEvent {
  public:
    explicit EvDepotTexte(QString texte) : QEvent(WM_DEPOT_TEXTE), Texte(std::move(texte)) {}
    QString Texte;
};

} // namespace morvix::ui
