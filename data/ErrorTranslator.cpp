#include "data/ErrorTranslator.h"

#include "data/ClientDataSet.h"
#include "data/DataSetError.h"
#include "data/DbError.h"
#include "data/UserError.h"

namespace {
const QString kUnexpected = QStringLiteral("Se presento el siguiente error: ");

// "TABLE"."COLUMN" of a not-null violation, as the server names it.
QString columnOfNotNull(const DbError& e) {
    for (const QString& a : e.args()) {
        const int dot = a.lastIndexOf(QLatin1Char('.'));
        if (dot > 0 && a.startsWith(QLatin1Char('"'))) {
            QString col = a.mid(dot + 1);
            col.remove(QLatin1Char('"'));
            return col;
        }
    }
    return {};
}
} // namespace

QString ErrorTranslator::rawText(const std::exception& e) {
    if (auto* db = dynamic_cast<const DbError*>(&e))
        return db->message();
    if (auto* ds = dynamic_cast<const DataSetError*>(&e))
        return ds->message();
    if (auto* u = dynamic_cast<const UserError*>(&e))
        return u->message();
    return QString::fromUtf8(e.what());
}

QString ErrorTranslator::providerMessage(const std::exception& e, const QString& table, const ColumnNamer& namer) {
    if (auto* db = dynamic_cast<const DbError*>(&e)) {
        switch (db->kind()) {
        case DbError::Kind::PrimaryKey: return QStringLiteral("Ya existe el registro en la tabla ") + table;
        case DbError::Kind::ForeignKey:
            return QStringLiteral("Está borrando o insertando un registro en la tabla ") + table +
                   QStringLiteral(" que tiene una relación con otra tabla.");
        case DbError::Kind::Truncation:
            return QStringLiteral("Un texto es más largo de lo que admite su campo en la tabla ") + table +
                   QStringLiteral(". Acórtelo y grabe de nuevo.");
        case DbError::Kind::NotNull: {
            const QString col = columnOfNotNull(*db);
            return QStringLiteral("Los campos ") + (col.isEmpty() ? QString() : namer(col) + QStringLiteral(", ")) +
                   QStringLiteral(" son obligatorios.");
        }
        case DbError::Kind::UpdateConflict:
        case DbError::Kind::LockConflict:
            return QStringLiteral("Otro usuario está modificando el mismo registro de la tabla ") + table +
                   QStringLiteral(". Intente grabar de nuevo.");
        default: break;
        }
        return db->message();
    }
    if (auto* ds = dynamic_cast<const DataSetError*>(&e)) {
        if (ds->kind() == DataSetError::Kind::RecordChanged)
            return QStringLiteral("El registro de la tabla ") + table +
                   QStringLiteral(" fue modificado o borrado por otro usuario. Consúltelo de nuevo.");
        return ds->message();
    }
    return rawText(e);
}

QString ErrorTranslator::clientMessage(const std::exception& e, const ClientDataSet& ds, const ColumnNamer& namer) {
    auto* de = dynamic_cast<const DataSetError*>(&e);
    if (!de)
        return rawText(e);
    switch (de->kind()) {
    case DataSetError::Kind::MasterHasDetails:
        return QStringLiteral("Error. Borre antes los detalles dependientes del registro.");
    case DataSetError::Kind::RequiredField: {
        QString list;
        for (int i = 0; i < ds.fieldCount(); ++i) {
            const Field& f = ds.field(i);
            const Value v = ds.value(i);
            if (f.required && (v.isNull() || (v.type() == ValueType::Text && v.toString().isEmpty())))
                list += namer(f.origin.isEmpty() ? f.name : f.origin) + QStringLiteral(", ");
        }
        return QStringLiteral("Los campos ") + list + QStringLiteral(" son obligatorios.");
    }
    case DataSetError::Kind::KeyViolation: {
        QString list;
        for (const QString& k : ds.keyFields())
            list += namer(k) + QStringLiteral(" ");
        return QStringLiteral("Ya existe un registro con el mismo ") + list;
    }
    default: return de->message();
    }
}

QString ErrorTranslator::unhandledMessage(const std::exception& e) {
    if (auto* u = dynamic_cast<const UserError*>(&e))
        return u->message();
    if (auto* db = dynamic_cast<const DbError*>(&e)) {
        switch (db->kind()) {
        case DbError::Kind::LoginRefused: return QStringLiteral("El nombre de Usuario o la clave son incorrectas.");
        case DbError::Kind::FileNotFound: return QStringLiteral("No se encontró el archivo o la ruta ") + db->path();
        case DbError::Kind::HostNotFound:
            return QStringLiteral("No se encontró el equipo servidor con nombre ") + db->host();
        case DbError::Kind::ServerUnreachable:
            return QStringLiteral("No se encontró el servidor Interbase/Firebird. Verifique Servidor en panel de "
                                  "control y puerto TCP 3050.");
        case DbError::Kind::ConnectionLost:
            return QStringLiteral("Se perdió la conexión con la base de datos. Verifique el servidor y vuelva a "
                                  "intentarlo; los datos en pantalla no se han perdido.");
        default: break;
        }
        return kUnexpected + db->message();
    }
    return kUnexpected + rawText(e);
}
