#include "data/ClientDataSet.h"

#include "data/DataSetError.h"
#include "data/DbError.h"
#include "data/FbConnection.h"
#include "data/FbStatement.h"
#include "data/FbTransaction.h"
#include "data/RowLayout.h"

#include <algorithm>
#include <firebird/Interface.h>

namespace {
FieldType typeOf(const ColumnInfo& c) {
    switch (c.sqlType & ~1u) {
    case SQL_SHORT:
    case SQL_LONG:
    case SQL_INT64: return c.scale < 0 ? FieldType::Decimal : FieldType::Integer;
    case SQL_FLOAT:
    case SQL_DOUBLE:
    case SQL_D_FLOAT: return FieldType::Double;
    case SQL_TYPE_DATE: return FieldType::Date;
    case SQL_TYPE_TIME: return FieldType::Time;
    case SQL_TIMESTAMP: return FieldType::Timestamp;
    case SQL_BLOB: return c.subType == 1 ? FieldType::Memo : FieldType::Blob;
    case SQL_BOOLEAN: return FieldType::Boolean;
    case SQL_TEXT: return FieldType::FixedText;
    default: return FieldType::Text;
    }
}

ColumnFormat formatOf(FieldType type, int scale) {
    ColumnFormat f;
    switch (type) {
    case FieldType::Integer:
    case FieldType::Boolean: f.storage = Storage::Int64; break;
    case FieldType::Decimal:
        f.storage = Storage::Int64;
        f.scale = scale;
        break;
    case FieldType::Double: f.storage = Storage::Double; break;
    case FieldType::Date: f.storage = Storage::Date; break;
    case FieldType::Time: f.storage = Storage::Time; break;
    case FieldType::Timestamp: f.storage = Storage::Timestamp; break;
    case FieldType::Blob:
        f.storage = Storage::Bytes;
        f.blob = true;
        break;
    case FieldType::Memo: f.storage = Storage::Bytes; break;
    default: f.storage = Storage::Text; break;
    }
    return f;
}

bool emptyValue(const Value& v) { return v.isNull() || (v.type() == ValueType::Text && v.toString().isEmpty()); }

int compareValues(const Value& a, const Value& b) {
    if (a.isNull() || b.isNull())
        return a.isNull() == b.isNull() ? 0 : (a.isNull() ? -1 : 1);
    switch (a.type()) {
    case ValueType::Integer:
    case ValueType::Decimal:
    case ValueType::Double: {
        const double x = a.toDouble(), y = b.toDouble();
        return x < y ? -1 : x > y ? 1 : 0;
    }
    case ValueType::Date: return a.toDate() < b.toDate() ? -1 : a.toDate() > b.toDate() ? 1 : 0;
    case ValueType::Time: return a.toTime() < b.toTime() ? -1 : a.toTime() > b.toTime() ? 1 : 0;
    case ValueType::Timestamp:
        return a.toDateTime() < b.toDateTime() ? -1 : a.toDateTime() > b.toDateTime() ? 1 : 0;
    default: return QString::localeAwareCompare(a.toString(), b.toString());
    }
}
} // namespace

ClientDataSet::ClientDataSet(QString name, QObject* parent) : QObject(parent), name_(std::move(name)) {
    setObjectName(name_);
}

ClientDataSet::~ClientDataSet() {
    if (master_)
        std::erase_if(master_->details_, [this](const Detail& d) { return d.set == this; });
    for (Detail& d : details_)
        d.set->master_ = nullptr;
}

// ---------------------------------------------------------------- source

void ClientDataSet::fetchParams() {
    if (!provider_)
        return;
    QStringList names;
    QueryObject::positional(provider_->statementFor(commandText_), &names);
    ParamList fresh;
    for (const QString& n : names) {
        if (std::any_of(fresh.begin(), fresh.end(), [&](const auto& p) { return p.first == n; }))
            continue;
        Value v;
        for (const auto& [dn, dv] : provider_->query().defaultParams())
            if (dn.compare(n, Qt::CaseInsensitive) == 0)
                v = dv;
        for (const auto& [on, ov] : params_)
            if (on.compare(n, Qt::CaseInsensitive) == 0)
                v = ov;
        fresh.emplace_back(n, v);
    }
    params_ = std::move(fresh);
}

void ClientDataSet::setParam(const QString& name, const Value& value) {
    for (auto& [n, v] : params_)
        if (n.compare(name, Qt::CaseInsensitive) == 0) {
            v = value;
            return;
        }
    params_.emplace_back(name, value);
}

Value ClientDataSet::param(const QString& name) const {
    for (const auto& [n, v] : params_)
        if (n.compare(name, Qt::CaseInsensitive) == 0)
            return v;
    return {};
}

Field& ClientDataSet::defineField(const QString& name, FieldType type, int size) {
    auto it = persistent_.find(name.toUpper());
    if (it == persistent_.end()) {
        Field f;
        f.name = name.toUpper();
        f.origin = f.name;
        f.type = type;
        f.size = size;
        f.format = formatOf(type, 0);
        it = persistent_.emplace(f.name, f).first;
    }
    return it->second;
}

// ---------------------------------------------------------------- open / close

void ClientDataSet::buildFields(const RowLayout& layout) {
    fields_.clear();
    const QString table = provider_ && !provider_->updateTable.isEmpty()
                              ? provider_->updateTable.toUpper()
                              : QueryObject::mainTable(provider_ ? provider_->statementFor(commandText_) : QString());
    for (const ColumnInfo& c : layout.columns()) {
        Field f;
        f.name = c.name;
        f.origin = c.origin.isEmpty() ? c.name : c.origin;
        f.relation = c.relation;
        f.type = typeOf(c);
        f.size = c.displaySize();
        f.scale = -c.scale;
        f.format = c.format();
        f.inUpdate = !c.relation.isEmpty() && c.relation.compare(table, Qt::CaseInsensitive) == 0 && !c.origin.isEmpty();
        f.inWhere = f.inUpdate && f.type != FieldType::Blob && f.type != FieldType::Memo && f.type != FieldType::Double;
        f.required = f.inUpdate && !c.nullable;
        auto it = persistent_.find(f.name.toUpper());
        if (it != persistent_.end()) {
            const Field& p = it->second;
            if (!p.displayLabel.isEmpty())
                f.displayLabel = p.displayLabel;
            f.required = p.required || f.required;
            f.readOnly = p.readOnly;
            f.visible = p.visible;
        }
        fields_.push_back(f);
    }
    formats_ = formats();
}

std::vector<ColumnFormat> ClientDataSet::formats() const {
    std::vector<ColumnFormat> out;
    out.reserve(fields_.size());
    for (const Field& f : fields_)
        out.push_back(f.format);
    return out;
}

void ClientDataSet::open() {
    if (active())
        return;
    if (!provider_)
        throw DataSetError(DataSetError::Kind::Other, QStringLiteral("%1: Missing data provider").arg(name_));
    if (params_.empty())
        fetchParams();
    QStringList names;
    const QString sql = QueryObject::positional(provider_->statementFor(commandText_), &names);
    std::vector<Value> values;
    for (const QString& n : names)
        values.push_back(param(n));
    if (beforeFetch)
        beforeFetch(*this);
    try {
        reader_ = provider_->open(sql, values);
        buildFields(reader_->layout());
        rows_.clear();
        alive_.clear();
        changes_.clear();
        changeOrder_.clear();
        if (!reader_->fetch(packetRecords, rows_))
            reader_.reset();
    } catch (...) {
        reader_.reset();
        if (afterFetch)
            afterFetch(*this);
        throw;
    }
    alive_.assign(rows_.size(), 1);
    if (afterFetch)
        afterFetch(*this);
    setState(State::Browse);
    rebuildView();
    loadDetails();
    emit layoutChanged();
    first();
    if (afterOpen)
        afterOpen(*this);
}

void ClientDataSet::createDataSet() {
    close();
    fields_.clear();
    for (const auto& [name, f] : persistent_) {
        Field copy = f;
        copy.format = formatOf(copy.type, copy.scale);
        fields_.push_back(copy);
    }
    formats_ = formats();
    setState(State::Browse);
    rebuildView();
    emit layoutChanged();
    first();
}

void ClientDataSet::close() {
    if (!active())
        return;
    for (Detail& d : details_)
        d.set->close();
    reader_.reset();
    rows_.clear();
    alive_.clear();
    changes_.clear();
    changeOrder_.clear();
    view_.clear();
    buffer_.clear();
    insertedAt_ = -1;
    current_ = -1;
    bof_ = eof_ = true;
    setState(State::Inactive);
    emit layoutChanged();
}

void ClientDataSet::execute() {
    if (!provider_)
        throw DataSetError(DataSetError::Kind::Other, QStringLiteral("%1: Missing data provider").arg(name_));
    QStringList names;
    const QString sql = QueryObject::positional(provider_->statementFor(commandText_), &names);
    std::vector<Value> values;
    for (const QString& n : names)
        values.push_back(param(n));
    FbTransaction tx(provider_->query().connection());
    FbStatement stmt(tx, sql);
    stmt.execute(values);
    tx.commit();
}

int ClientDataSet::fetchPacket() {
    if (!reader_)
        return 0;
    if (beforeFetch)
        beforeFetch(*this);
    const size_t before = rows_.size();
    const int oldCount = recordCount(); // before the new rows count
    try {
        if (!reader_->fetch(packetRecords, rows_))
            reader_.reset();
    } catch (...) {
        reader_.reset();
        alive_.resize(rows_.size(), 1);
        if (afterFetch)
            afterFetch(*this);
        throw;
    }
    alive_.resize(rows_.size(), 1);
    if (afterFetch)
        afterFetch(*this);
    const int added = int(rows_.size() - before);
    if (added > 0) {
        rebuildView();
        if (indexNames_.isEmpty())
            emit rowsAdded(oldCount, recordCount() - 1);
        else
            emit layoutChanged();
    }
    return added;
}

void ClientDataSet::fetchAll() {
    const int saved = packetRecords;
    packetRecords = -1;
    try {
        fetchPacket();
    } catch (...) {
        packetRecords = saved;
        throw;
    }
    packetRecords = saved;
}

// ---------------------------------------------------------------- fields

int ClientDataSet::fieldIndex(const QString& name) const {
    for (size_t i = 0; i < fields_.size(); ++i)
        if (fields_[i].name.compare(name, Qt::CaseInsensitive) == 0)
            return int(i);
    return -1;
}

Field& ClientDataSet::fieldByName(const QString& name) {
    const int i = fieldIndex(name);
    if (i < 0)
        throw DataSetError(DataSetError::Kind::FieldNotFound, QStringLiteral("%1: Field '%2' not found").arg(name_, name));
    return fields_[size_t(i)];
}

Value ClientDataSet::rowValue(int rowId, int field) const {
    return rows_[size_t(rowId)].value(uint32_t(field), formats_[size_t(field)]);
}

Value ClientDataSet::value(int field) const {
    if (state_ == State::Edit || state_ == State::Insert)
        return buffer_.at(size_t(field));
    if (current_ < 0 || current_ >= recordCount())
        return {};
    return rowValue(rowIdAt(current_), field);
}

Value ClientDataSet::value(const QString& name) const {
    const int i = fieldIndex(name);
    if (i < 0)
        throw DataSetError(DataSetError::Kind::FieldNotFound, QStringLiteral("%1: Field '%2' not found").arg(name_, name));
    return value(i);
}

Value ClientDataSet::valueAt(int row, int field) const {
    if ((state_ == State::Edit || state_ == State::Insert) && row == current_)
        return buffer_.at(size_t(field));
    return rowValue(rowIdAt(row), field);
}

void ClientDataSet::setValue(int index, const Value& v) {
    if (state_ != State::Edit && state_ != State::Insert)
        throw DataSetError(DataSetError::Kind::NotEditing,
                           QStringLiteral("%1: Dataset not in edit or insert mode").arg(name_));
    const Field& f = fields_.at(size_t(index));
    Value stored = v;
    // Values are kept in the field's own type, so conversions fail here, at
    // the edit, not later at the save.
    if (!v.isNull()) {
        switch (f.type) {
        case FieldType::Integer:
        case FieldType::Boolean: stored = Value(v.toInt()); break;
        case FieldType::Decimal: stored = Value(v.toDecimal(f.scale)); break;
        case FieldType::Double: stored = Value(v.toDouble()); break;
        case FieldType::Date: stored = Value(v.toDate()); break;
        case FieldType::Time: stored = Value(v.toTime()); break;
        case FieldType::Timestamp: stored = Value(v.toDateTime()); break;
        case FieldType::Blob: stored = Value(v.toBytes()); break;
        default: stored = Value(v.toString()); break;
        }
    }
    if (buffer_[size_t(index)] == stored && buffer_[size_t(index)].isNull() == stored.isNull())
        return;
    buffer_[size_t(index)] = stored;
    bufferModified_ = true;
    emit rowChanged(current_);
    if (onFieldChange)
        onFieldChange(*this, f);
}

void ClientDataSet::setValue(const QString& name, const Value& v) {
    const int i = fieldIndex(name);
    if (i < 0)
        throw DataSetError(DataSetError::Kind::FieldNotFound, QStringLiteral("%1: Field '%2' not found").arg(name_, name));
    setValue(i, v);
}

// ---------------------------------------------------------------- navigation

int ClientDataSet::recordCount() const { return viewActive_ ? int(view_.size()) : int(rows_.size()); }

void ClientDataSet::scrolled() {
    emit currentChanged(current_);
    for (Detail& d : details_)
        d.set->masterScrolled();
    if (afterScroll)
        afterScroll(*this);
}

void ClientDataSet::first() {
    if (state_ == State::Edit || state_ == State::Insert)
        post();
    current_ = recordCount() > 0 ? 0 : -1;
    bof_ = true;
    eof_ = current_ < 0;
    scrolled();
}

void ClientDataSet::last() {
    if (state_ == State::Edit || state_ == State::Insert)
        post();
    fetchAll();
    current_ = recordCount() - 1;
    bof_ = current_ < 0;
    eof_ = true;
    scrolled();
}

void ClientDataSet::next() {
    if (state_ == State::Edit || state_ == State::Insert)
        post();
    if (current_ + 1 >= recordCount() && reader_)
        fetchPacket();
    if (current_ + 1 < recordCount()) {
        ++current_;
        bof_ = false;
        eof_ = false;
        scrolled();
    } else {
        eof_ = true;
    }
}

void ClientDataSet::prior() {
    if (state_ == State::Edit || state_ == State::Insert)
        post();
    if (current_ > 0) {
        --current_;
        bof_ = eof_ = false;
        scrolled();
    } else {
        bof_ = true;
    }
}

void ClientDataSet::moveTo(int row) {
    if (state_ == State::Edit || state_ == State::Insert)
        post();
    while (row >= recordCount() && reader_)
        fetchPacket();
    if (recordCount() == 0) {
        current_ = -1;
        bof_ = eof_ = true;
        scrolled();
        return;
    }
    current_ = std::clamp(row, 0, recordCount() - 1);
    bof_ = eof_ = false;
    scrolled();
}

bool ClientDataSet::locate(const QStringList& names, const std::vector<Value>& values) {
    std::vector<int> idx;
    for (const QString& n : names)
        idx.push_back(fieldIndex(n));
    for (int row = 0;; ++row) {
        if (row >= recordCount()) {
            if (!reader_ || fetchPacket() == 0)
                return false;
        }
        bool match = true;
        for (size_t k = 0; k < idx.size() && match; ++k) {
            const Value v = valueAt(row, idx[k]);
            match = idx[k] >= 0 && (v == values[k] || (v.toString() == values[k].toString() && !v.isNull()));
        }
        if (match) {
            moveTo(row);
            return true;
        }
    }
}

// ---------------------------------------------------------------- editing

void ClientDataSet::setState(State s) {
    if (state_ == s)
        return;
    state_ = s;
    emit stateChanged();
}

std::vector<Value> ClientDataSet::rowValues(const PackedRow& row) const {
    std::vector<Value> v(fields_.size());
    for (size_t i = 0; i < fields_.size(); ++i)
        v[i] = row.value(uint32_t(i), formats_[i]);
    return v;
}

void ClientDataSet::handleError(const std::function<ErrorAction(ClientDataSet&, const std::exception&)>& handler,
                                const std::exception& e) {
    if (handler && handler(*this, e) == ErrorAction::Abort)
        throw OperationAborted();
}

void ClientDataSet::append() {
    if (!active())
        throw DataSetError(DataSetError::Kind::Other, QStringLiteral("%1: Cannot perform this operation on a closed dataset").arg(name_));
    if (state_ == State::Edit || state_ == State::Insert)
        post();
    buffer_.assign(fields_.size(), Value());
    if (master_) {
        for (int k = 0; k < masterFields_.size(); ++k) {
            const int di = fieldIndex(linkFields_[k]);
            if (di >= 0)
                buffer_[size_t(di)] = master_->value(masterFields_[k]);
        }
    }
    // The new row shows at the end of the view until it is posted.
    rows_.push_back(PackedRow::fromValues(buffer_, formats_));
    alive_.push_back(1);
    insertedAt_ = int(rows_.size()) - 1;
    rebuildView();
    current_ = recordCount() - 1;
    bufferModified_ = false;
    setState(State::Insert);
    emit rowsAdded(current_, current_);
    emit currentChanged(current_);
    if (afterInsert)
        afterInsert(*this);
}

void ClientDataSet::insert() { append(); }

void ClientDataSet::edit() {
    if (state_ == State::Edit || state_ == State::Insert)
        return;
    try {
        if (current_ < 0)
            throw DataSetError(DataSetError::Kind::Other, QStringLiteral("%1: Cannot perform this operation on an empty dataset").arg(name_));
    } catch (const std::exception& e) {
        handleError(onEditError, e);
        throw;
    }
    buffer_ = rowValues(rows_[size_t(rowIdAt(current_))]);
    bufferModified_ = false;
    setState(State::Edit);
    if (afterEdit)
        afterEdit(*this);
}

void ClientDataSet::checkRequired() {
    for (size_t i = 0; i < fields_.size(); ++i)
        if (fields_[i].required && emptyValue(buffer_[i]))
            throw DataSetError(DataSetError::Kind::RequiredField,
                               QStringLiteral("Field '%1' must have a value").arg(fields_[i].name));
}

void ClientDataSet::checkKey() {
    if (keyFields_.isEmpty())
        return;
    std::vector<int> idx;
    for (const QString& k : keyFields_)
        idx.push_back(fieldIndex(k));
    const int self = rowIdAt(current_);
    for (size_t id = 0; id < rows_.size(); ++id) {
        if (int(id) == self || !alive_[id])
            continue;
        bool same = true;
        for (int i : idx)
            same = same && i >= 0 && rowValue(int(id), i) == buffer_[size_t(i)];
        if (same)
            throw DataSetError(DataSetError::Kind::KeyViolation, QStringLiteral("key violation."));
    }
}

void ClientDataSet::post() {
    if (state_ != State::Edit && state_ != State::Insert)
        return;
    if (beforePost)
        beforePost(*this);
    try {
        checkRequired();
        checkKey();
    } catch (const DataSetError& e) {
        handleError(onPostError, e);
        throw;
    }
    const int id = rowIdAt(current_);
    if (state_ == State::Insert) {
        rows_[size_t(id)] = PackedRow::fromValues(buffer_, formats_);
        changes_[id] = Change{PendingChange::Kind::Insert, PackedRow()};
        changeOrder_.push_back(id);
        insertedAt_ = -1;
    } else if (bufferModified_) {
        PackedRow fresh = PackedRow::fromValues(buffer_, formats_);
        auto it = changes_.find(id);
        if (it == changes_.end()) {
            changes_[id] = Change{PendingChange::Kind::Modify, std::move(rows_[size_t(id)])};
            changeOrder_.push_back(id);
        }
        rows_[size_t(id)] = std::move(fresh);
    }
    buffer_.clear();
    bufferModified_ = false;
    setState(State::Browse);
    emit rowChanged(current_);
    if (!indexNames_.isEmpty() || filter_) {
        rebuildView();
        const auto pos = std::find(view_.begin(), view_.end(), id);
        current_ = pos == view_.end() ? std::min(current_, recordCount() - 1) : int(pos - view_.begin());
        emit layoutChanged();
    }
    if (afterPost)
        afterPost(*this);
}

void ClientDataSet::cancel() {
    if (state_ == State::Insert) {
        // drop the unposted row
        if (insertedAt_ == int(rows_.size()) - 1) {
            rows_.pop_back();
            alive_.pop_back();
        } else if (insertedAt_ >= 0) {
            rows_[size_t(insertedAt_)] = PackedRow();
            alive_[size_t(insertedAt_)] = 0;
        }
        insertedAt_ = -1;
        buffer_.clear();
        rebuildView();
        current_ = std::min(current_, recordCount() - 1);
        setState(State::Browse);
        emit layoutChanged();
        scrolled();
    } else if (state_ == State::Edit) {
        buffer_.clear();
        setState(State::Browse);
        emit rowChanged(current_);
    }
    bufferModified_ = false;
    if (afterCancel)
        afterCancel(*this);
}

void ClientDataSet::remove() {
    if (state_ == State::Insert) {
        cancel();
        return;
    }
    if (state_ == State::Edit)
        cancel();
    try {
        if (current_ < 0)
            throw DataSetError(DataSetError::Kind::Other, QStringLiteral("%1: Cannot perform this operation on an empty dataset").arg(name_));
        for (const Detail& d : details_)
            if (d.set->active() && d.set->recordCount() > 0)
                throw DataSetError(DataSetError::Kind::MasterHasDetails,
                                   QStringLiteral("Cannot delete master record with details"));
    } catch (const DataSetError& e) {
        handleError(onDeleteError, e);
        throw;
    }
    const int id = rowIdAt(current_);
    auto it = changes_.find(id);
    if (it != changes_.end() && it->second.kind == PendingChange::Kind::Insert) {
        changes_.erase(it);
        std::erase(changeOrder_, id);
        rows_[size_t(id)] = PackedRow();
    } else if (it != changes_.end()) {
        it->second.kind = PendingChange::Kind::Delete; // keeps the original as fetched
    } else {
        changes_[id] = Change{PendingChange::Kind::Delete, std::move(rows_[size_t(id)])};
        changeOrder_.push_back(id);
    }
    alive_[size_t(id)] = 0;
    rebuildView();
    emit layoutChanged();
    current_ = std::min(current_, recordCount() - 1);
    bof_ = current_ <= 0;
    eof_ = current_ < 0;
    scrolled();
    if (afterDelete)
        afterDelete(*this);
}

// ---------------------------------------------------------------- change log

int ClientDataSet::changeCount() const {
    int n = int(changes_.size());
    for (const Detail& d : details_)
        n += d.set->changeCount();
    return n;
}

int ClientDataSet::rowStatus(int row) const {
    auto it = changes_.find(rowIdAt(row));
    if (it == changes_.end())
        return 0;
    return it->second.kind == PendingChange::Kind::Insert ? 1 : 2;
}

void ClientDataSet::collectChanges(std::vector<std::pair<ClientDataSet*, int>>& order, bool deletesOnly,
                                   bool skipDeletes) {
    for (int id : changeOrder_) {
        const bool isDelete = changes_.at(id).kind == PendingChange::Kind::Delete;
        if ((deletesOnly && !isDelete) || (skipDeletes && isDelete))
            continue;
        order.emplace_back(this, id);
    }
}

void ClientDataSet::mergeChange(int id) {
    auto it = changes_.find(id);
    if (it == changes_.end())
        return;
    if (it->second.kind == PendingChange::Kind::Delete)
        rows_[size_t(id)] = PackedRow();
    changes_.erase(it);
}

int ClientDataSet::applyUpdates(int maxErrors) {
    if (state_ == State::Edit || state_ == State::Insert)
        post();
    if (changeCount() == 0)
        return 0;
    if (!provider_)
        throw DataSetError(DataSetError::Kind::Other, QStringLiteral("%1: Missing data provider").arg(name_));
    // Details' deletes go first, then the header's changes, then the
    // details' inserts and edits, so keys between them hold at every step.
    std::vector<std::pair<ClientDataSet*, int>> order;
    for (Detail& d : details_)
        d.set->collectChanges(order, true, false);
    collectChanges(order, false, false);
    for (Detail& d : details_)
        d.set->collectChanges(order, false, true);

    FbTransaction tx(provider_->query().connection());
    int errors = 0;
    std::vector<std::pair<ClientDataSet*, int>> applied;
    auto finishBatch = [&] {
        provider_->endBatch();
        for (Detail& d : details_)
            if (d.set->provider_)
                d.set->provider_->endBatch();
    };
    for (const auto& [set, id] : order) {
        const Change& c = set->changes_.at(id);
        PendingChange pc{c.kind, {}, {}};
        if (c.kind != PendingChange::Kind::Delete)
            pc.current = set->rowValues(set->rows_[size_t(id)]);
        if (c.kind != PendingChange::Kind::Insert)
            pc.original = set->rowValues(c.original);
        Provider* p = set->provider_ ? set->provider_ : provider_;
        const QString table = !p->updateTable.isEmpty() ? p->updateTable
                                                        : QueryObject::mainTable(p->statementFor(set->commandText_));
        try {
            p->apply(tx, set->fields_, table, pc);
            applied.emplace_back(set, id);
        } catch (const DbError& e) {
            if (e.kind() == DbError::Kind::ConnectionLost) {
                finishBatch();
                throw; // nothing of the batch is stored; every change stays pending
            }
            ++errors;
            const UpdateAction action = p->onUpdateError ? p->onUpdateError(*p, *set, e) : UpdateAction::Skip;
            if (action == UpdateAction::Abort || (maxErrors >= 0 && errors > maxErrors)) {
                finishBatch();
                tx.rollback();
                return errors;
            }
        } catch (const DataSetError& e) {
            ++errors;
            const UpdateAction action = p->onUpdateError ? p->onUpdateError(*p, *set, e) : UpdateAction::Skip;
            if (action == UpdateAction::Abort || (maxErrors >= 0 && errors > maxErrors)) {
                finishBatch();
                tx.rollback();
                return errors;
            }
        }
    }
    finishBatch();
    tx.commit();
    for (const auto& [set, id] : applied)
        set->mergeChange(id);
    // the change order keeps the changes still pending, in one pass per dataset
    auto prune = [](ClientDataSet* s) {
        std::erase_if(s->changeOrder_, [s](int id) { return !s->changes_.contains(id); });
    };
    prune(this);
    for (Detail& d : details_)
        prune(d.set);
    return errors;
}

void ClientDataSet::cancelUpdates() {
    if (state_ == State::Edit || state_ == State::Insert)
        cancel();
    for (Detail& d : details_)
        d.set->cancelUpdates();
    for (auto& [id, c] : changes_) {
        if (c.kind == PendingChange::Kind::Insert) {
            rows_[size_t(id)] = PackedRow();
            alive_[size_t(id)] = 0;
        } else {
            rows_[size_t(id)] = std::move(c.original);
            alive_[size_t(id)] = 1;
        }
    }
    changes_.clear();
    changeOrder_.clear();
    if (active()) {
        rebuildView();
        emit layoutChanged();
        current_ = std::min(std::max(current_, 0), recordCount() - 1);
        scrolled();
    }
}

// ---------------------------------------------------------------- view

void ClientDataSet::setFilter(std::function<bool(const ClientDataSet&, int)> filter) {
    filter_ = std::move(filter);
    if (!active())
        return;
    rebuildView();
    emit layoutChanged();
    first();
}

void ClientDataSet::setIndexFieldNames(const QString& names) {
    indexNames_ = names;
    if (!active())
        return;
    rebuildView();
    emit layoutChanged();
    first();
}

bool ClientDataSet::passesMaster(int id) const {
    if (!master_)
        return true;
    if (!master_->active() || master_->recNo() < 0)
        return false;
    for (int k = 0; k < masterFields_.size(); ++k) {
        const int di = fieldIndex(linkFields_[k]);
        if (di < 0 || rowValue(id, di) != master_->value(masterFields_[k]))
            return false;
    }
    return true;
}

void ClientDataSet::rebuildView() {
    const bool anyDead = std::find(alive_.begin(), alive_.end(), 0) != alive_.end();
    viewActive_ = filter_ || !indexNames_.isEmpty() || anyDead || master_;
    view_.clear();
    if (!viewActive_)
        return;
    for (size_t id = 0; id < rows_.size(); ++id) {
        if (!alive_[id])
            continue;
        if (int(id) != insertedAt_ && ((filter_ && !filter_(*this, int(id))) || !passesMaster(int(id))))
            continue;
        view_.push_back(int(id));
    }
    if (!indexNames_.isEmpty()) {
        std::vector<std::pair<int, bool>> keys;
        for (QString part : indexNames_.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
            part = part.trimmed();
            bool desc = false;
            if (part.endsWith(QStringLiteral(" DESC"), Qt::CaseInsensitive)) {
                desc = true;
                part.chop(5);
            }
            const int i = fieldIndex(part.trimmed());
            if (i >= 0)
                keys.emplace_back(i, desc);
        }
        std::stable_sort(view_.begin(), view_.end(), [&](int a, int b) {
            if (a == insertedAt_ || b == insertedAt_)
                return b == insertedAt_ && a != insertedAt_;
            for (const auto& [i, desc] : keys) {
                const int c = compareValues(rowValue(a, i), rowValue(b, i));
                if (c != 0)
                    return desc ? c > 0 : c < 0;
            }
            return false;
        });
    }
}

// ---------------------------------------------------------------- details

void ClientDataSet::addDetail(ClientDataSet* detail, const QStringList& masterFields, const QStringList& detailFields) {
    detail->master_ = this;
    detail->masterFields_ = masterFields;
    detail->linkFields_ = detailFields;
    details_.push_back(Detail{detail, masterFields, detailFields});
}

void ClientDataSet::loadDetails() {
    for (Detail& d : details_) {
        d.set->close();
        d.set->packetRecords = -1;
        d.set->open(); // every row of every master; the view shows the current master's
        d.set->fetchAll();
    }
}

void ClientDataSet::masterScrolled() {
    if (!active())
        return;
    if (state_ == State::Edit || state_ == State::Insert)
        post();
    rebuildView();
    emit layoutChanged();
    first();
}

size_t ClientDataSet::rowBytes() const {
    size_t n = rows_.capacity() * sizeof(PackedRow);
    for (const PackedRow& r : rows_)
        n += r.byteSize();
    return n;
}
