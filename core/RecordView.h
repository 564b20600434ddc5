#pragma once
// A record where it lies in the read block: fields are decoded on demand and nothing is copied, so a pass
// over a large archive costs only the fields a list looks at.

#include "core/Record.h"

#include <QByteArrayView>
#include <QString>
#include <functional>

class RecordView {
public:
    RecordView(const RecordLayout &layout, const char *bytes) : m_layout(&layout), m_bytes(bytes) {}
    QString text(int field) const;          // field-to-text rule (trimmed)
    QByteArrayView stored(int field) const; // the field's text bytes as stored, untrimmed
    Record toRecord() const;
    const RecordLayout &layout() const { return *m_layout; }

private:
    const RecordLayout *m_layout;
    const char *m_bytes;
};

using LineBuilder = std::function<QString(const RecordView &)>;
using RecordFilter = std::function<bool(const RecordView &)>;
