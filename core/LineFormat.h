#pragma once
// The line of a record in a list: fixed-width columns (trimmed, then padded with blanks or cut on the right)
// and separator texts, in order.

#include "core/RecordView.h"

#include <QList>
#include <QString>

class LineFormat {
public:
    LineFormat &column(int field, int width);
    // Two fields, each trimmed, joined by one blank, as one column ("surname name").
    LineFormat &joined(int first, int second, int width);
    // The field trimmed and neither padded nor cut: it ends the line.
    LineFormat &tail(int field);
    LineFormat &literal(const QString &text);
    QString operator()(const RecordView &record) const;
    int width() const; // of the fixed part

private:
    struct Piece {
        int field;  // -1 for a literal
        int second; // joined column: the second field, -1 otherwise
        int width;  // -1: unpadded
        QString text;
    };
    QList<Piece> m_pieces;
    int m_width = 0;
};
