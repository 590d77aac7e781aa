#include "ui/GridExport.h"

#include "ui/CsvGridWriter.h"
#include "ui/DataGrid.h"
#include "ui/GridTable.h"
#include "ui/HtmlGridWriter.h"
#include "ui/RtfGridWriter.h"
#include "ui/TextGridWriter.h"
#include "ui/XlsxGridWriter.h"

#include <QRegularExpression>
#include <QStringList>

#include <stdexcept>

QString GridExport::qtFilter(const QString& typeList) {
    static const QRegularExpression own(QStringLiteral("^(.*?)\\s*\\(([^()]*)\\)\\s*$"));
    const QStringList parts = typeList.split(QLatin1Char('|'));
    QStringList filters;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QString description = parts[i].trimmed();
        QStringList patterns;
        const auto m = own.match(description);
        if (m.hasMatch()) { // the description names its own patterns: keep them in one list
            description = m.captured(1);
            patterns = m.captured(2).split(QRegularExpression(QStringLiteral("[\\s;]+")), Qt::SkipEmptyParts);
        }
        for (const QString& p : parts[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts))
            if (!patterns.contains(p.trimmed()))
                patterns << p.trimmed();
        filters << description + QStringLiteral(" (") + patterns.join(QLatin1Char(' ')) + QLatin1Char(')');
    }
    return filters.join(QStringLiteral(";;"));
}

QString GridExport::withExtension(const QString& fileName, const QString& extension) {
    if (fileName.right(extension.size()).compare(extension, Qt::CaseInsensitive) == 0)
        return fileName;
    return fileName + QLatin1Char('.') + extension;
}

std::unique_ptr<GridWriter> GridExport::writerFor(int fileType) {
    switch (fileType) {
    case 0:
        return std::make_unique<TextGridWriter>();
    case 1:
        return std::make_unique<CsvGridWriter>();
    case 2:
        return std::make_unique<HtmlGridWriter>();
    case 3:
        return std::make_unique<RtfGridWriter>();
    case 4:
        return std::make_unique<XlsxGridWriter>();
    default:
        return nullptr;
    }
}

void GridExport::saveSelection(const DataGrid& grid, const QString& fileName, GridWriter& writer) {
    if (!writer.write(grid.selectionTable(true), fileName))
        throw std::runtime_error(QStringLiteral("No se puede crear el archivo \"%1\". %2")
                                     .arg(fileName, writer.errorString())
                                     .toStdString());
}
