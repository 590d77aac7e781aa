#pragma once

#include <QWidget>
#include <utility>
#include <vector>

class ClientDataSet;
class QLabel;
class QLineEdit;

// The fields of a company record, bound to a client dataset over COMPANIA:
// code, name, tax identification, address, telephones, heading and the logo
// picture. Shared by the new-company dialog and the company record dialog.
// An edit writes its field when it is left (or when guarda() is called);
// clicking the picture loads a bitmap file into COMP_LOGO.
class Tfichacompania : public QWidget {
    Q_OBJECT
public:
    explicit Tfichacompania(QWidget* parent = nullptr);

    void enlaza(ClientDataSet* dataset);
    // Writes every edit into the dataset (before posting or applying).
    void guarda();
    // Shows the dataset's current values; edits the user is typing in keep
    // their text.
    void muestra();
    // Asks for a bitmap file and loads it into COMP_LOGO.
    void carga_logo();

    QLineEdit* ECodigo = nullptr;
    QLineEdit* ENombre = nullptr;
    QLineEdit* ENit = nullptr;
    QLineEdit* EDireccion = nullptr;
    QLineEdit* ETelefonos = nullptr;
    QLineEdit* EEncabezado = nullptr;
    QLabel* ILogo = nullptr;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool editable();
    void escribe(QLineEdit* edit, const QString& field);

    ClientDataSet* dataset_ = nullptr;
    std::vector<std::pair<QLineEdit*, QString>> campos_;
};
