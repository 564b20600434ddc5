#include "core/RecordView.h"

QString RecordView::text(int field) const
{
    return FieldCodec::read(m_bytes + m_layout->offset(field), m_layout->field(field).capacity);
}

QByteArrayView RecordView::stored(int field) const
{
    return FieldCodec::stored(m_bytes + m_layout->offset(field), m_layout->field(field).capacity);
}

Record RecordView::toRecord() const
{
    return Record(*m_layout, QByteArray(m_bytes, m_layout->size()));
}
