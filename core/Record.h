#pragma once
// Fixed records of short text fields. A layout is one table (field, capacity, control); offsets, record
// size, loading, saving and list lines all derive from it.

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <span>
#include <string_view>

struct FieldDef {
    std::string_view name;    // field name
    int capacity;             // 1..255 characters; the field takes capacity + 1 bytes
    std::string_view control; // objectName of the editor control that shows it
};

class RecordLayout {
public:
    constexpr explicit RecordLayout(std::span<const FieldDef> fields) : m_fields(fields) {}
    constexpr int count() const { return int(m_fields.size()); }
    constexpr const FieldDef &field(int i) const { return m_fields[size_t(i)]; }
    constexpr int offset(int i) const
    {
        int o = 0;
        for (int k = 0; k < i; ++k)
            o += m_fields[size_t(k)].capacity + 1;
        return o;
    }
    constexpr int size() const { return offset(count()); }
    int indexOf(std::string_view name) const;           // by field name, -1 when absent
    int indexOfControl(std::string_view control) const; // by control objectName, -1 when absent
    // By field name from a table of the program's own: an unknown name stops the program where the table is read.
    int require(std::string_view name) const;
    // The index of a field named in the code: a name the layout does not have does not compile.
    consteval int at(std::string_view name) const
    {
        for (int i = 0; i < count(); ++i)
            if (m_fields[size_t(i)].name == name)
                return i;
        throw "the record has no field of this name";
    }

private:
    std::span<const FieldDef> m_fields;
};

// Field codec. Reading never trusts the length byte beyond the field's capacity.
namespace FieldCodec {
QByteArrayView stored(const char *field, int capacity);     // the text bytes, the length clamped to the capacity
QString read(const char *field, int capacity);              // field points at the length byte
void write(char *field, int capacity, const QString &text); // trims, encodes, cuts; bytes past L left as are
inline const QString yes()
{
    return QStringLiteral("S\u00ec");
}
inline const QString no()
{
    return QStringLiteral("No");
}
} // namespace FieldCodec

class Record {
public:
    explicit Record(const RecordLayout &layout);
    Record(const RecordLayout &layout, QByteArray bytes);
    const RecordLayout &layout() const { return *m_layout; }
    QString text(int field) const;
    // By name, for names known only at run time; an unknown name stops the program, it never reads elsewhere.
    QString text(std::string_view name) const { return text(m_layout->indexOf(name)); }
    void setText(int field, const QString &value);
    void setText(std::string_view name, const QString &value) { setText(m_layout->indexOf(name), value); }
    const QByteArray &bytes() const { return m_bytes; }
    QByteArray &bytes() { return m_bytes; }
    void clear();

private:
    const RecordLayout *m_layout;
    QByteArray m_bytes;
};
