#include "platform/PasswordHash.h"

#include <sodium.h>

namespace {

bool sodiumReady()
{
    static const bool ready = sodium_init() >= 0;
    return ready;
}

} // namespace

std::optional<QByteArray> hashPassword(const QByteArray& password)
{
    if (!sodiumReady())
        return std::nullopt;
    char out[crypto_pwhash_STRBYTES];
    if (crypto_pwhash_str(out, password.constData(), static_cast<unsigned long long>(password.size()),
                          crypto_pwhash_OPSLIMIT_INTERACTIVE, crypto_pwhash_MEMLIMIT_INTERACTIVE)
        != 0)
        return std::nullopt;
    return QByteArray(out);
}

bool isPasswordHash(const QByteArray& hash)
{
    if (!sodiumReady() || !hash.startsWith(crypto_pwhash_STRPREFIX) || hash.size() >= crypto_pwhash_STRBYTES
        || hash.contains('\0'))
        return false;
    // -1 for a text libsodium cannot parse; 0 or 1 (other limits) for a hash.
    return crypto_pwhash_str_needs_rehash(hash.constData(), crypto_pwhash_OPSLIMIT_INTERACTIVE,
                                          crypto_pwhash_MEMLIMIT_INTERACTIVE)
        >= 0;
}

PasswordCheck checkPassword(const QByteArray& hash, const QByteArray& password)
{
    if (!isPasswordHash(hash))
        return PasswordCheck::Malformed;
    return crypto_pwhash_str_verify(hash.constData(), password.constData(),
                                    static_cast<unsigned long long>(password.size()))
            == 0
        ? PasswordCheck::Match
        : PasswordCheck::Mismatch;
}
