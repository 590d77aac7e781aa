#pragma once

#include <QString>
#include <QStringList>

#include <utility>
#include <vector>

// One column of a data grid as a screen configures it: the dataset field it
// shows, its title and widths, and how the value is shown and edited.
struct GridColumn {
    enum class Kind {
        Text,     // the value as text
        CheckBox, // 'S' checked, anything else clear; toggling writes 'S' or 'N'
        PickList  // edited with a drop-down of fixed items
    };

    QString field;
    QString title;    // empty: the field's display label
    int width = 0;    // pixels; 0 keeps the grid's default
    int minWidth = 0; // pixels; the column never gets narrower
    Kind kind = Kind::Text;
    // Pick lists: stored value and the text shown for it. A plain list of
    // items stores what it shows.
    std::vector<std::pair<QString, QString>> items;
    bool visible = true;
    bool readOnly = false;

    static GridColumn text(QString field, QString title, int width = 0, int minWidth = 0) {
        GridColumn c;
        c.field = std::move(field);
        c.title = std::move(title);
        c.width = width;
        c.minWidth = minWidth;
        return c;
    }
    static GridColumn check(QString field, QString title, int width = 0) {
        GridColumn c = text(std::move(field), std::move(title), width);
        c.kind = Kind::CheckBox;
        return c;
    }
    static GridColumn pick(QString field, QString title, const QStringList& list, int width = 0) {
        GridColumn c = text(std::move(field), std::move(title), width);
        c.kind = Kind::PickList;
        for (const QString& item : list)
            c.items.emplace_back(item, item);
        return c;
    }
    static GridColumn pick(QString field, QString title, std::vector<std::pair<QString, QString>> keyed,
                           int width = 0) {
        GridColumn c = text(std::move(field), std::move(title), width);
        c.kind = Kind::PickList;
        c.items = std::move(keyed);
        return c;
    }

    // The text shown for a stored value of a pick list (the value itself when
    // it is not among the items).
    QString shown(const QString& stored) const {
        for (const auto& [key, display] : items)
            if (key == stored)
                return display;
        return stored;
    }
};
