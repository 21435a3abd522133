#pragma once

#include <QDialog>
#include <QUrl>

class QFrame;
class QLabel;
class QPushButton;

namespace vesk {

// The version window: the logo alone as the start-up splash, or the about
// window with the product version, the link to the home page and a close
// button. Frameless, centred, and gone as soon as it loses activation. It
// deletes itself when closed: create it with new and hold it in a QPointer
// (for the about window, exec() returns after it is gone).
class TVersionForm final : public QDialog
{
    Q_OBJECT
public:
    enum class Role { Splash, About };

    explicit TVersionForm(Role role, QWidget *parent = nullptr);

    Role role() const { return m_role; }
    // Where the link line leads.
    static QUrl homePage();

protected:
    void showEvent(QShowEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void edtUrlClick();

    Role m_role;
    QLabel *imgLogo = nullptr;
    QFrame *pnlBase = nullptr;
    QLabel *imgVesk = nullptr;
    QLabel *pnlVer = nullptr;
    QLabel *edtUrl = nullptr;
    QPushButton *btnClose = nullptr;
};

} // namespace vesk
