#pragma once

#include "web/RegistrarDialog.h"

#include <QDialog>

class QCheckBox;
class QLineEdit;

// "My Favorite Registrar!": asks for the registrar page of a TLD that has none yet, with the TLD
// as its heading, example addresses and "&Remember this URL".
class CRegistrarURLDialog final : public QDialog {
    Q_OBJECT

public:
    CRegistrarURLDialog(const CRegistrarDialogStart& start, QWidget* parent = nullptr);

    CRegistrarChoice GetChoice() const;
    QLineEdit& GetURLBox() const { return *m_url; }
    QCheckBox& GetRememberBox() const { return *m_remember; }

private:
    QLineEdit* m_url;
    QCheckBox* m_remember;
};
