#pragma once

#include <QRegularExpression>
#include <QString>

// The search of the replace rule: plain text or a regular expression (Perl syntax), either
// case-sensitive or not. Built once per preview computation and applied to every stem.
class ReplacePattern
{
public:
    ReplacePattern() = default;
    ReplacePattern(const QString &find, bool regex, bool caseSensitive);

    // Empty when the search can be used; otherwise the library's message and position.
    QString error() const { return problem; }
    // Nothing to search for (an empty find leaves every stem as it is).
    bool isEmpty() const { return find.isEmpty(); }

    // `stem` with every match replaced. In pattern mode `replacement` may name groups with
    // $0..$9 and ${name}, and an empty replacement deletes the matches; in plain mode an empty
    // replacement leaves the stem unchanged. False (and `*out` the stem) when the pattern is
    // invalid or a match ran into the library's limits.
    bool apply(const QString &stem, const QString &replacement, QString *out) const;

private:
    QString find;
    bool regex = false;
    bool caseSensitive = true;
    QRegularExpression re;
    QString problem;
};

// The replacement text of one match: $0..$9, ${name} or ${12} expanded, $$ a dollar sign;
// a group that took no part in the match gives nothing.
QString expandGroups(const QString &replacement, const QRegularExpressionMatch &match);
