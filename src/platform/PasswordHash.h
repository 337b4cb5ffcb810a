#pragma once

#include <QByteArray>

#include <optional>

// Slow password hashes for files other accounts may read: Argon2id through
// libsodium's crypto_pwhash_str at its interactive limits. The text it gives
// ("$argon2id$v=19$m=...,t=...,p=...$salt$hash") holds the algorithm and its
// parameters, so that a hash made with other limits still checks.

// The hash of the password, with a fresh salt; std::nullopt when libsodium
// cannot start or the memory the hash needs cannot be had.
std::optional<QByteArray> hashPassword(const QByteArray& password);

enum class PasswordCheck {
    Match,
    Mismatch,
    Malformed, // not an Argon2id hash text
};
PasswordCheck checkPassword(const QByteArray& hash, const QByteArray& password);

// The text is an Argon2id hash that checkPassword can read.
bool isPasswordHash(const QByteArray& hash);
