// The splash screen shown during start-up, with the program's version.
#pragma once

#include <QWidget>

class QLabel;

namespace morvix::ui {

class TSplashScreen : public QWidget {
    Q_OBJECT
  public:
    explicit TSplashScreen(QWidget *parent = nullptr);
    QLabel *LbVersion() const { return m_version; }

    // Waits, without processing events, until `secondes` have passed since `debut` (a
    // reading of the wall clock in whole seconds); no wait when MORVIX_SANS_ATTENTE is set.
    static void Attente(int64_t debut, double secondes = 3.0);

  protected:
    void mousePressEvent(QMouseEvent *event) override;

  private:
    QLabel *m_version;
};

} // namespace morvix::ui
