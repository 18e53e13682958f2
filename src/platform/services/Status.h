#pragma once

#include <QString>

// Result of a platform operation or a click handler: success, or an error
// with a number and a description.
class Status
{
public:
    static Status success() { return {}; }
    // number must not be 0, which stands for success
    static Status error(int number, QString description) { return {number, std::move(description)}; }

    bool ok() const { return m_number == 0; }
    int number() const { return m_number; }
    const QString &description() const { return m_description; }
    QString message() const;

private:
    Status() = default;
    Status(int number, QString description) : m_number(number), m_description(std::move(description)) {}

    int m_number = 0;
    QString m_description;
};

// The error numbers this program reports.
namespace ErrorNumber {
constexpr int ClipboardNotSet = 1;
constexpr int BrowserNotStarted = 2;
} // namespace ErrorNumber
