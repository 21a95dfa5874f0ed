#pragma once
// Permission tests must run where permissions hold. The tests run as root in CI, and
// root reads and writes every file; these helpers run a piece of a test in a child
// process as an unprivileged user instead.

#include <QString>

#include <functional>

// The user and group the child runs as when the tests run as root ("nobody").
constexpr unsigned kUnprivilegedId = 65534;

// Runs `body` in a child process that has given up root for kUnprivilegedId (as the
// same user when the tests do not run as root). `body` returns "" when all went as
// expected, otherwise what went wrong; that text comes back here, and so does a child
// that could not give up root or ended without answering. Use it as
// EXPECT_EQ(runUnprivileged([&] { ...; return QString(); }), QString());
QString runUnprivileged(const std::function<QString()> &body);

// Hands a file or folder, and everything below it, to kUnprivilegedId, so that the
// child can work in a test folder (nothing to do when the tests do not run as root).
void giveToUnprivileged(const QString &path);
