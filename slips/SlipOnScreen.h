#pragma once
// The slip as the slip editor shows it (saved or not), and how its texts are spread into the single-character
// boxes of the TD 674 form. Shared by the print window and the preview.

#include <QString>

struct SlipOnScreen {
    QString importo; // euros
    QString cents;
    QString impLettere;  // euros in words
    QString centLettere; // cents after the words
    QString esecutore;   // payer
    QString indirizzoRes;
    QString capRes;
    QString comuneRes;

    // The texts of the slip editor's fields (frmBollettino); empty where the editor or a field is missing.
    static SlipOnScreen fromEditor();

    // Trimmed words, "/", trimmed cents after the words: "SEDICI/00".
    QString wordsLine() const;
    // The euros right-aligned in the eight boxes: the units digit always in the last one.
    QString euroBoxes() const;
    // The cents right-aligned in the two boxes, as they stand (a single digit lands in the second box).
    QString centBoxesRight() const;
    // The cents left-aligned in the two boxes (a single digit shows in the first box).
    QString centBoxesLeft() const;
    // The trimmed text left-aligned in n boxes: padded with blanks, cut after n characters.
    static QString leftBoxes(const QString &text, int n);
};
