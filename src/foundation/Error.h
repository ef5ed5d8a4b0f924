#pragma once

#include <QString>
#include <any>
#include <concepts>

namespace pathloom {

// A failure of any kind, carried where callers need not know its type (step builders, loads):
// the domain and code of the original error, the text a user sees, and the original error itself.
// Any error type with `domain()`, `code()` and `description()` converts to it.
class Error {
public:
    template <typename E>
    requires(!std::same_as<std::remove_cvref_t<E>, Error>) && requires(const E& e) {
        { e.domain() } -> std::convertible_to<QString>;
        { e.code() } -> std::convertible_to<qint64>;
        { e.description() } -> std::convertible_to<QString>;
    }
    Error(E error)  // NOLINT(google-explicit-constructor): every error is an Error
        : m_domain(error.domain()),
          m_code(error.code()),
          m_description(error.description()),
          m_original(std::move(error)) {}

    [[nodiscard]] const QString& domain() const { return m_domain; }
    [[nodiscard]] qint64 code() const { return m_code; }
    [[nodiscard]] const QString& localizedDescription() const { return m_description; }

    // The original error when it is of type E, else null.
    template <typename E>
    [[nodiscard]] const E* as() const {
        return std::any_cast<E>(&m_original);
    }

private:
    QString m_domain;
    qint64 m_code;
    QString m_description;
    std::any m_original;
};

}  // namespace pathloom
