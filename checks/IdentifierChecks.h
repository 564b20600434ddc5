#pragma once
// The check-digit tests of Italian fiscal codes and VAT numbers, payment card numbers and IBANs.
// Pure routines without state: the check windows call them, and so can anything else.

#include <QString>

// A 16-character fiscal code whose last character is the check letter of the first 15. Any character
// outside "0".."Z" (a small letter, an accented letter, a blank, a hyphen) makes the code invalid.
bool IsFiscalCodeValid(const QString &code);

// Eleven decimal digits whose last one is the check digit of the first ten.
bool IsVatNumberValid(const QString &number);
// The VAT office issuing the numbers whose digits 8 to 10 are code ("058" -> "Roma 1"); empty when the
// code has no office.
QString VatOfficeName(const QString &code);

// The card class of a number: 0 when the digits among its first 20 characters fail the Luhn test (or
// there are none); otherwise the value of the first digit minus 2 (1 = begins with 3, 2 = Visa,
// 3 = MasterCard, 4 = Discover; any other value names no network).
int ClassifyCardNumber(const QString &text);

// Every capital letter A..Z replaced by its number 10..35; other characters unchanged.
QString IbanLettersToDigits(const QString &text);
// Remainder modulo 97 of the IBAN rearranged (country and check digits moved to the end, a leading word
// "IBAN" removed) and turned into digits; 0 when a character other than a letter or a digit is present.
int IbanRemainder(const QString &text);
// Blanks removed, the remainder is 1.
bool IsIbanValid(const QString &text);
