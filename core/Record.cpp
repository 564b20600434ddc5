#include "core/Record.h"

#include "core/Cp1252.h"
#include "core/Routines.h"

#include <algorithm>
#include <cstring>

int RecordLayout::indexOf(std::string_view name) const
{
    for (int i = 0; i < count(); ++i)
        if (field(i).name == name)
            return i;
    return -1;
}

int RecordLayout::require(std::string_view name) const
{
    const int i = indexOf(name);
    if (i < 0)
        qFatal("no field %.*s in this record", int(name.size()), name.data());
    return i;
}

int RecordLayout::indexOfControl(std::string_view control) const
{
    for (int i = 0; i < count(); ++i)
        if (field(i).control == control)
            return i;
    return -1;
}

namespace FieldCodec {
QByteArrayView stored(const char *field, int capacity)
{
    return QByteArrayView(field + 1, std::min<int>(static_cast<unsigned char>(field[0]), capacity));
}

QString read(const char *field, int capacity)
{
    return TrimControls(Cp1252::decode(stored(field, capacity)));
}

void write(char *field, int capacity, const QString &text)
{
    QByteArray bytes = Cp1252::encode(TrimControls(text));
    const int len = std::min<int>({int(bytes.size()), 255, capacity});
    field[0] = static_cast<char>(len);
    std::memcpy(field + 1, bytes.constData(), size_t(len));
}
} // namespace FieldCodec

Record::Record(const RecordLayout &layout) : m_layout(&layout), m_bytes(layout.size(), '\0') {}

Record::Record(const RecordLayout &layout, QByteArray bytes) : m_layout(&layout), m_bytes(std::move(bytes))
{
    m_bytes.resize(layout.size(), '\0');
}

namespace {
void checkField(const RecordLayout &layout, int field)
{
    if (field < 0 || field >= layout.count())
        qFatal("no field %d in a record of %d fields", field, layout.count());
}
} // namespace

QString Record::text(int field) const
{
    checkField(*m_layout, field);
    return FieldCodec::read(m_bytes.constData() + m_layout->offset(field), m_layout->field(field).capacity);
}

void Record::setText(int field, const QString &value)
{
    checkField(*m_layout, field);
    FieldCodec::write(m_bytes.data() + m_layout->offset(field), m_layout->field(field).capacity, value);
}

void Record::clear()
{
    m_bytes.fill('\0');
}
