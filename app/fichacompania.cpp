#include "app/fichacompania.h"

#include "common/UserDialogs.h"
#include "data/ClientDataSet.h"
#include "data/dm.h"

#include <QEvent>
#include <QFile>
#include <QGridLayout>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPixmap>
#include <stdexcept>

namespace {
constexpr int kLogoAncho = 220;
constexpr int kLogoAlto = 90;
} // namespace

Tfichacompania::Tfichacompania(QWidget* parent) : QWidget(parent) {
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setHorizontalSpacing(8);
    struct Def {
        const char* etiqueta;
        const char* campo;
        QLineEdit** edit;
    };
    const Def defs[] = {{"Código:", "COMP_COD", &ECodigo},         {"Nombre:", "COM_NOMBRE", &ENombre},
                        {"N.I.T.:", "COMP_NIT", &ENit},            {"Dirección:", "COMP_DIR", &EDireccion},
                        {"Teléfonos:", "COMP_TELS", &ETelefonos}, {"Encabezado:", "COMP_ENCABEZADO", &EEncabezado}};
    int fila = 0;
    for (const Def& d : defs) {
        auto* e = new QLineEdit;
        const QString campo = QString::fromLatin1(d.campo);
        e->setObjectName(campo);
        *d.edit = e;
        auto* l = new QLabel(QString::fromUtf8(d.etiqueta));
        l->setBuddy(e);
        grid->addWidget(l, fila, 0, Qt::AlignRight);
        grid->addWidget(e, fila, 1, 1, 2);
        campos_.emplace_back(e, campo);
        connect(e, &QLineEdit::editingFinished, this, [this, e, campo] {
            if (e->isModified())
                fdm->protect([&] { escribe(e, campo); });
        });
        ++fila;
    }
    ECodigo->setMaximumWidth(70);
    grid->addWidget(new QLabel(QStringLiteral("Logo:")), fila, 0, Qt::AlignRight | Qt::AlignTop);
    ILogo = new QLabel;
    ILogo->setObjectName(QStringLiteral("COMP_LOGO"));
    ILogo->setFixedSize(kLogoAncho, kLogoAlto);
    ILogo->setFrameStyle(QFrame::Box | QFrame::Sunken);
    ILogo->setAlignment(Qt::AlignCenter);
    ILogo->setCursor(Qt::PointingHandCursor);
    ILogo->setAutoFillBackground(true);
    QPalette pal = ILogo->palette();
    pal.setColor(QPalette::Window, Qt::white);
    pal.setColor(QPalette::WindowText, QColor(120, 120, 120));
    ILogo->setWordWrap(true);
    ILogo->setPalette(pal);
    ILogo->installEventFilter(this);
    grid->addWidget(ILogo, fila, 1, Qt::AlignLeft);
    grid->setColumnStretch(2, 1);
}

void Tfichacompania::enlaza(ClientDataSet* dataset) {
    dataset_ = dataset;
    for (auto signal : {&ClientDataSet::layoutChanged, &ClientDataSet::stateChanged})
        connect(dataset, signal, this, &Tfichacompania::muestra);
    connect(dataset, &ClientDataSet::rowChanged, this, &Tfichacompania::muestra);
    connect(dataset, &ClientDataSet::currentChanged, this, &Tfichacompania::muestra);
    muestra();
}

bool Tfichacompania::editable() {
    if (!dataset_ || !dataset_->active())
        return false;
    if (dataset_->state() == ClientDataSet::State::Browse && !dataset_->isEmpty())
        dataset_->edit();
    return dataset_->state() == ClientDataSet::State::Edit || dataset_->state() == ClientDataSet::State::Insert;
}

void Tfichacompania::escribe(QLineEdit* edit, const QString& field) {
    // Taken before the dataset goes into edit, which shows the stored values.
    const QString texto = edit->text();
    edit->setModified(false);
    if (!editable())
        return;
    const Value actual = dataset_->value(field);
    if (actual.toString() == texto && (texto.isEmpty() || !actual.isNull()))
        return;
    // An emptied edit leaves the column null.
    dataset_->setValue(field, texto.isEmpty() ? Value() : Value(texto));
}

void Tfichacompania::guarda() {
    // Texts first: writing one field may show the values again.
    std::vector<std::pair<QLineEdit*, QString>> pendientes;
    for (const auto& [edit, campo] : campos_)
        if (edit->isModified())
            pendientes.emplace_back(edit, campo);
    for (const auto& [edit, campo] : pendientes)
        escribe(edit, campo);
}

void Tfichacompania::muestra() {
    const bool hay = dataset_ && dataset_->active() && !dataset_->isEmpty();
    for (const auto& [edit, campo] : campos_) {
        if (hay) {
            const int i = dataset_->fieldIndex(campo);
            if (i >= 0 && dataset_->field(i).size > 0)
                edit->setMaxLength(dataset_->field(i).size);
        }
        if (edit->isModified())
            continue; // the user is typing in it
        const QString texto = hay ? dataset_->value(campo).toString() : QString();
        if (edit->text() != texto)
            edit->setText(texto);
    }
    QPixmap imagen;
    if (hay) {
        const QImage logo = QImage::fromData(dataset_->value(QStringLiteral("COMP_LOGO")).toBytes());
        if (!logo.isNull())
            imagen = QPixmap::fromImage(
                logo.scaled(kLogoAncho - 6, kLogoAlto - 6, Qt::KeepAspectRatio, Qt::SmoothTransformation));
    }
    if (imagen.isNull())
        ILogo->setText(QStringLiteral("Clic para cargar el logo (.bmp)"));
    else
        ILogo->setPixmap(imagen);
}

void Tfichacompania::carga_logo() {
    guarda();
    const QString archivo = UserDialogs::current().openFileName(QStringLiteral("Logo de la compañía"),
                                                                QStringLiteral("Archivos de mapas de bits (*.bmp)"));
    if (archivo.isEmpty())
        return;
    QFile f(archivo);
    if (!f.open(QIODevice::ReadOnly))
        throw std::runtime_error(
            QStringLiteral("No se pudo abrir el archivo %1: %2").arg(archivo, f.errorString()).toStdString());
    const QByteArray datos = f.readAll();
    if (QImage::fromData(datos).isNull())
        throw std::runtime_error(
            QStringLiteral("El archivo %1 no es un mapa de bits válido.").arg(archivo).toStdString());
    if (editable())
        dataset_->setValue(QStringLiteral("COMP_LOGO"), Value(datos));
}

bool Tfichacompania::eventFilter(QObject* watched, QEvent* event) {
    if (watched == ILogo && event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        fdm->protect([this] { carga_logo(); });
        return true;
    }
    return QWidget::eventFilter(watched, event);
}
