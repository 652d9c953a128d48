#pragma once

#include "support/result.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

namespace mrv {

/// One match found by RegexMatches.
struct MatchInfo
{
    int Position = 0;     ///< zero-based offset of the match in the searched text
    QString Value;        ///< text of the whole match
    QStringList Rewrites; ///< one rewrite of the match per template
};

// All patterns are matched case-insensitively, with the whole text as one line.
// An invalid pattern is a programming error: the tests return false / the text unchanged
// and the collecting functions return their default.

/// True when the pattern matches anywhere in the text.
bool RegexTest(const QString &text, const QString &pattern);

/// Every match replaced by the template ("$1".."$99", "$&" the match, "$$" a dollar sign).
QString RegexReplace(const QString &text, const QString &pattern, const QString &templ);

/// Without a match: the default. With an empty template: all matches joined;
/// else the last match rewritten by the template.
QString RegexCollect(const QString &text, const QString &pattern, const QString &defaultText,
                     const QString &templ = {});

/// Fills one MatchInfo per match; templates are separated by NUL characters.
/// Returns the number of matches as decimal text. Without a match the list is left as it was.
QString RegexMatches(const QString &text, const QString &pattern, QList<MatchInfo> &matches,
                     const QString &templates);

/// Fills a replacement template from one match of a pattern.
QString ExpandTemplate(const QString &templ, const QStringList &captures);

/// Where the variable expansions take their values from; tests supply their own.
struct ExpandContext
{
    QString title;
    QString exeFolder; ///< without trailing separator
    QString exeName;
    int major = 0, minor = 0, revision = 0;
    std::function<QString(const QString &)> env;
    bool posix = false; ///< POSIX separators: "/" is the separator and a leading "/" is absolute

    /// The running program on the host platform.
    static ExpandContext Host();
};

/// A configured path with %Name% variables expanded, made absolute against the
/// executable's folder and normalised.
QString ExpandPath(const QString &path);
QString ExpandPath(const QString &path, const ExpandContext &context);

/// A caption with %s(Name) placeholders filled.
QString ExpandText(const QString &text);
QString ExpandText(const QString &text, const ExpandContext &context);

} // namespace mrv
