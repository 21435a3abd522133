#pragma once

#include <QString>

namespace vesk::test {

// Another program on the X server: holds a key combination while it lives.
class OtherXClient final
{
public:
    explicit OtherXClient(const QString &display);
    ~OtherXClient();
    OtherXClient(const OtherXClient &) = delete;
    OtherXClient &operator=(const OtherXClient &) = delete;

    bool connected() const { return m_display != nullptr; }
    // Ctrl+Alt and the key of this lower-case letter.
    void grabCtrlAlt(char letter);

private:
    void *m_display;
};

} // namespace vesk::test
