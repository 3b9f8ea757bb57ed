// The job runner: runs one long core computation at a time on a worker thread, forwards the
// core's progress calls (queued, in order) to the status bar's gauge, shows a Cancel button
// while the job runs and hands the result back on the interface thread. The windows stay
// responsive meanwhile; the main window disables the commands that would change the base a
// job reads.
//
// A job reads the base, partitions and stores, which the main window keeps alive while a job
// runs; everything the job writes it owns (captured by value or by shared_ptr), so that a
// window closed meanwhile leaves nothing dangling: its job is cancelled and its result
// dropped.
#pragma once

#include "util/Annulation.h"

#include <QObject>
#include <QPointer>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <utility>

class QAbstractButton;
class QProgressBar;
class QThread;

namespace morvix::ui {

// What a job receives: the three gauge services (their argument is ignored, as the core's
// gauge callbacks allow), the status message (UTF-8) and the cancellation flag to poll.
struct Progression {
    std::function<void(int32_t)> StepIt;
    std::function<void(int32_t)> StepBy2;
    std::function<void(int32_t)> Reset;
    std::function<void(const std::string &)> Message;
    const Annulation *annulation = nullptr;

    bool Annulee() const { return morvix::Annulee(annulation); }
};

class ExecuteurTaches : public QObject {
    Q_OBJECT
  public:
    explicit ExecuteurTaches(QObject *parent = nullptr);
    // Cancels a running job and waits for its thread.
    ~ExecuteurTaches() override;

    // Where progress goes; either may be null. The button is shown only while a job runs and
    // cancels it when clicked.
    void AttribGauge(QProgressBar *gauge);
    void AttribBoutonAnnuler(QAbstractButton *bouton);
    // Receives the jobs' status messages (on the interface thread).
    void AttribMessage(std::function<void(const QString &)> message);

    bool Occupe() const { return m_occupe; }
    // Raises the running job's cancellation flag.
    void Annule();
    // True when the last job that ended had been asked to stop.
    bool DerniereAnnulee() const { return m_derniereAnnulee; }

    // Runs `travail` on a worker thread and calls `fin` with its result on the interface
    // thread, unless `contexte` was destroyed meanwhile (its destruction cancels the job).
    // False, and nothing started, when a job is already running.
    template <class R>
    bool Lance(QObject *contexte, std::function<R(const Progression &)> travail,
               std::function<void(R)> fin) {
        auto resultat = std::make_shared<std::optional<R>>();
        return demarre(
            contexte,
            [travail = std::move(travail), resultat](const Progression &p) {
                resultat->emplace(travail(p));
            },
            [fin = std::move(fin), resultat] {
                if (resultat->has_value()) {
                    fin(std::move(**resultat));
                }
            });
    }

    // Runs `travail` on a worker thread and returns its result once it ended, processing the
    // interface's events meanwhile; nullopt when a job was already running. For the flows of
    // the main window that continue after the computation (segment, then open).
    template <class R> std::optional<R> Execute(std::function<R(const Progression &)> travail) {
        auto resultat = std::make_shared<std::optional<R>>();
        const bool lance = demarre(nullptr,
                                   [travail = std::move(travail), resultat](const Progression &p) {
                                       resultat->emplace(travail(p));
                                   },
                                   {});
        if (!lance) {
            return std::nullopt;
        }
        attendFin();
        return std::move(*resultat);
    }

    // Processes events until the running job (if any) has ended and handed back its result.
    void Attend();
    // Cancels the running job and waits for its thread without processing events; its result
    // is dropped. For owners about to be destroyed, before they free what jobs read.
    void Arrete();

  Q_SIGNALS:
    void OccupeChange(bool occupe);

  private:
    bool demarre(QObject *contexte, std::function<void(const Progression &)> corps,
                 std::function<void()> fin);
    void termine();
    void attendFin();
    void pas(int increment);
    void remetAZero();

    QPointer<QProgressBar> m_gauge;
    QPointer<QAbstractButton> m_bouton;
    std::function<void(const QString &)> m_message;
    bool m_occupe = false;
    bool m_derniereAnnulee = false;
    QThread *m_thread = nullptr;
    std::shared_ptr<Annulation> m_annulation;
    QPointer<QObject> m_contexte;
    bool m_avecContexte = false;
    std::function<void()> m_fin;
    QMetaObject::Connection m_detruit;
};

} // namespace morvix::ui
