#pragma once

#include "data/Field.h"
#include "data/PackedRow.h"
#include "data/Provider.h"
#include "data/QueryObject.h"

#include <QObject>
#include <QStringList>
#include <functional>
#include <map>
#include <memory>
#include <unordered_map>
#include <vector>

class ProviderReader;

// What an edit, post or delete error handler wants done.
enum class ErrorAction { Fail, Abort };

// Rows held in memory with a change log. Rows come from a provider in
// packets; inserts, edits and deletes stay in the change log until
// applyUpdates() sends them in one transaction, or cancelUpdates() drops
// them. A dataset can carry detail datasets whose changes go in the same
// batch as its own.
class ClientDataSet : public QObject {
    Q_OBJECT
public:
    enum class State { Inactive, Browse, Edit, Insert };

    explicit ClientDataSet(QString name, QObject* parent = nullptr);
    ~ClientDataSet() override;

    const QString& name() const { return name_; }

    // --- source
    void setProvider(Provider* provider) { provider_ = provider; }
    Provider* provider() const { return provider_; }
    void setCommandText(const QString& sql) { commandText_ = sql; }
    const QString& commandText() const { return commandText_; }
    // Parameters of the statement, by name.
    void fetchParams();
    void setParam(const QString& name, const Value& value);
    Value param(const QString& name) const;
    ParamList& params() { return params_; }
    // Rows per fetch; -1 fetches everything at once.
    int packetRecords = -1;

    // --- persistent field definitions, kept across open and close
    Field& defineField(const QString& name, FieldType type = FieldType::Text, int size = 0);
    // Key of the dataset: a post that repeats it fails with a key violation.
    void setKeyFields(const QStringList& names) { keyFields_ = names; }
    const QStringList& keyFields() const { return keyFields_; }

    // --- open and close
    void open();
    void close();
    bool active() const { return state_ != State::Inactive; }
    State state() const { return state_; }
    // Creates an empty in-memory dataset from the defined fields.
    void createDataSet();
    // Runs the command text as a statement without rows (CBorrar style).
    void execute();

    // --- fields and values
    int fieldCount() const { return int(fields_.size()); }
    const Field& field(int index) const { return fields_.at(size_t(index)); }
    Field& field(int index) { return fields_.at(size_t(index)); }
    int fieldIndex(const QString& name) const;
    // Throws DataSetError(FieldNotFound).
    Field& fieldByName(const QString& name);
    const std::vector<Field>& fields() const { return fields_; }

    Value value(int field) const;
    Value value(const QString& name) const;
    QString text(const QString& name) const { return value(name).toString(); }
    void setValue(int field, const Value& v);
    void setValue(const QString& name, const Value& v);
    // Value of a row other than the current one (view index).
    Value valueAt(int row, int field) const;
    bool isNull(const QString& name) const { return value(name).isNull(); }

    // --- navigation over the visible rows
    int recordCount() const;
    int recNo() const { return current_; } // -1 when empty
    bool isEmpty() const { return recordCount() == 0; }
    bool bof() const { return bof_; }
    bool eof() const { return eof_; }
    void first();
    void last();
    void next();
    void prior();
    void moveTo(int row);
    bool locate(const QStringList& names, const std::vector<Value>& values);
    bool allFetched() const { return !reader_; }
    // Fetches the next packet; returns the number of rows added.
    int fetchPacket();
    void fetchAll();

    // --- editing
    void append();
    void insert();
    void edit();
    void post();
    void cancel();
    void remove();
    bool modified() const { return bufferModified_; }

    // --- change log
    int changeCount() const;
    bool hasPendingChanges() const { return changeCount() > 0; }
    // Sends the change log (and the details') in one transaction. Stops and
    // rolls back when more than maxErrors changes fail (-1: no limit).
    // Returns the number of changes refused; they stay pending.
    int applyUpdates(int maxErrors);
    void cancelUpdates();
    // Row status of the visible row: 0 unmodified, 1 inserted, 2 modified.
    int rowStatus(int row) const;

    // --- local filter and order
    void setFilter(std::function<bool(const ClientDataSet&, int rowId)> filter);
    void clearFilter() { setFilter({}); }
    // Field names separated by ';'; a name ending in " DESC" sorts down.
    void setIndexFieldNames(const QString& names);
    const QString& indexFieldNames() const { return indexNames_; }
    // Raw row value, by internal row id (for filters).
    Value rowValue(int rowId, int field) const;

    // --- master/detail
    // The detail holds the rows of every master row; it shows those of the
    // current master row and its inserts take the link values.
    void addDetail(ClientDataSet* detail, const QStringList& masterFields, const QStringList& detailFields);
    ClientDataSet* master() const { return master_; }

    // --- events (one handler each)
    std::function<void(ClientDataSet&)> afterOpen, afterInsert, beforePost, afterPost, afterCancel, afterEdit,
        afterScroll, afterDelete, beforeFetch, afterFetch;
    std::function<void(ClientDataSet&, const Field&)> onFieldChange;
    // Errors of edit, post and delete; Abort cancels the operation silently.
    std::function<ErrorAction(ClientDataSet&, const std::exception&)> onEditError, onPostError, onDeleteError;

    // Approximate heap bytes of the fetched rows.
    size_t rowBytes() const;

signals:
    void layoutChanged();          // opened, closed, filtered, sorted, reloaded
    void rowsAdded(int first, int last);
    void rowChanged(int row);
    void currentChanged(int row);
    void stateChanged();

private:
    struct Change {
        PendingChange::Kind kind;
        PackedRow original; // Modify/Delete
    };
    struct Detail {
        ClientDataSet* set;
        QStringList masterFields, detailFields;
    };

    void buildFields(const RowLayout& layout);
    std::vector<ColumnFormat> formats() const;
    void rebuildView();
    int rowIdAt(int viewRow) const { return viewActive_ ? view_[size_t(viewRow)] : viewRow; }
    std::vector<Value> rowValues(const PackedRow& row) const;
    void loadBuffer();
    void setState(State s);
    void scrolled();
    void checkRequired();
    void checkKey();
    void handleError(const std::function<ErrorAction(ClientDataSet&, const std::exception&)>& handler,
                     const std::exception& e);
    bool passesMaster(int rowId) const;
    void loadDetails();
    void masterScrolled();
    void collectChanges(std::vector<std::pair<ClientDataSet*, int>>& order, bool deletesOnly, bool skipDeletes);
    void mergeChange(int rowId);

    QString name_;
    Provider* provider_ = nullptr;
    QString commandText_;
    ParamList params_;
    std::map<QString, Field> persistent_;
    QStringList keyFields_;

    std::vector<Field> fields_;
    std::vector<ColumnFormat> formats_;
    std::vector<PackedRow> rows_;                 // by row id
    std::vector<uint8_t> alive_;                  // 0 for rows deleted from view
    std::unordered_map<int, Change> changes_;     // row id -> pending change
    std::vector<int> changeOrder_;                // row ids in the order changed
    std::unique_ptr<ProviderReader> reader_;

    bool viewActive_ = false;
    std::vector<int> view_;
    std::function<bool(const ClientDataSet&, int)> filter_;
    QString indexNames_;

    State state_ = State::Inactive;
    int current_ = -1;
    bool bof_ = true, eof_ = true;
    std::vector<Value> buffer_;
    bool bufferModified_ = false;
    int insertedAt_ = -1; // view position a pending insert shows at

    ClientDataSet* master_ = nullptr;
    QStringList masterFields_, linkFields_;
    std::vector<Detail> details_;
};
