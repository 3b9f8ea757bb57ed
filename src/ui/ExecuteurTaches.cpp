#include "ExecuteurTaches.h"

#include <QAbstractButton>
#include <QEventLoop>
#include <QMetaObject>
#include <QProgressBar>
#include <QThread>

namespace morvix::ui {

ExecuteurTaches::ExecuteurTaches(QObject *parent) : QObject(parent) {}

ExecuteurTaches::~ExecuteurTaches() { Arrete(); }

void ExecuteurTaches::Arrete() {
    if (m_thread != nullptr) {
        m_annulation->Demande();
        m_thread->wait();
        delete m_thread;
        m_thread = nullptr;
        m_fin = {};
        m_occupe = false;
    }
}

void ExecuteurTaches::AttribGauge(QProgressBar *gauge) { m_gauge = gauge; }

void ExecuteurTaches::AttribBoutonAnnuler(QAbstractButton *bouton) {
    m_bouton = bouton;
    if (m_bouton) {
        m_bouton->setVisible(m_occupe);
        connect(m_bouton, &QAbstractButton::clicked, this, &ExecuteurTaches::Annule);
    }
}

void ExecuteurTaches::AttribMessage(std::function<void(const QString &)> message) {
    m_message = std::move(message);
}

void ExecuteurTaches::Annule() {
    if (m_annulation) {
        m_annulation->Demande();
    }
}

bool ExecuteurTaches::demarre(QObject *contexte, std::function<void(const Progression &)> corps,
                              std::function<void()> fin) {
    if (m_occupe) {
        return false;
    }
    m_occupe = true;
    m_annulation = std::make_shared<Annulation>();
    m_contexte = contexte;
    m_avecContexte = contexte != nullptr;
    m_fin = std::move(fin);
    if (contexte != nullptr) {
        m_detruit = connect(contexte, &QObject::destroyed, this, &ExecuteurTaches::Annule);
    }

    // Progress calls cross to the interface thread as queued calls, in the order made.
    Progression p;
    QPointer<ExecuteurTaches> moi(this);
    auto poste = [moi](std::function<void()> f) {
        if (moi) {
            QMetaObject::invokeMethod(moi.data(), std::move(f), Qt::QueuedConnection);
        }
    };
    p.StepIt = [this, poste](int32_t) { poste([this] { pas(1); }); };
    p.StepBy2 = [this, poste](int32_t) { poste([this] { pas(2); }); };
    p.Reset = [this, poste](int32_t) { poste([this] { remetAZero(); }); };
    p.Message = [this, poste](const std::string &texte) {
        poste([this, t = QString::fromStdString(texte)] {
            if (m_message) {
                m_message(t);
            }
        });
    };
    p.annulation = m_annulation.get();

    auto annulation = m_annulation; // kept alive by the thread as long as it runs
    m_thread = QThread::create([corps = std::move(corps), p, annulation] { corps(p); });
    connect(m_thread, &QThread::finished, this, &ExecuteurTaches::termine, Qt::QueuedConnection);
    if (m_bouton) {
        m_bouton->setVisible(true);
        m_bouton->setEnabled(true);
    }
    Q_EMIT OccupeChange(true);
    m_thread->start();
    return true;
}

void ExecuteurTaches::termine() {
    if (m_thread == nullptr) {
        return;
    }
    // The queued progress calls were posted before `finished`, so they have all been shown.
    m_thread->wait();
    delete m_thread;
    m_thread = nullptr;
    disconnect(m_detruit);
    m_derniereAnnulee = m_annulation->Demandee();
    std::function<void()> fin = std::move(m_fin);
    m_fin = {};
    const bool contexteVivant = !m_avecContexte || !m_contexte.isNull();
    m_occupe = false;
    if (m_bouton) {
        m_bouton->setVisible(false);
    }
    if (fin && contexteVivant) {
        fin();
    }
    // A job started by `fin` keeps the runner busy: it announces its own end.
    if (!m_occupe) {
        Q_EMIT OccupeChange(false);
    }
}

void ExecuteurTaches::attendFin() {
    if (!m_occupe) {
        return;
    }
    QEventLoop boucle;
    connect(this, &ExecuteurTaches::OccupeChange, &boucle, [&boucle](bool occupe) {
        if (!occupe) {
            boucle.quit();
        }
    });
    boucle.exec();
}

void ExecuteurTaches::Attend() { attendFin(); }

void ExecuteurTaches::pas(int increment) {
    if (m_gauge) {
        m_gauge->setValue(std::min(m_gauge->maximum(), m_gauge->value() + increment));
    }
}

void ExecuteurTaches::remetAZero() {
    if (m_gauge) {
        m_gauge->setValue(0);
    }
}

} // namespace morvix::ui
