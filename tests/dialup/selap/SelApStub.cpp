// A stand-in for a user's access-point selector. SELAP_STUB_MODE says what
// it does: "cancel" gives up, "long" fills every buffer to its size without a
// terminating zero, anything else names an office access point.
#include <cstdlib>
#include <cstring>

namespace {

void put(char *buffer, int size, const char *text)
{
    std::strncpy(buffer, text, std::size_t(size - 1));
    buffer[size - 1] = '\0';
}

} // namespace

extern "C" __attribute__((visibility("default"))) int SelApOn(char *title, int titleSize, char *ap, int apSize,
    char *host, int hostSize, char *smtp, int smtpSize, char *userId, int userIdSize, char *password,
    int passwordSize, char *apop, int apopSize)
{
    const char *mode = std::getenv("SELAP_STUB_MODE");
    if (mode && std::strcmp(mode, "cancel") == 0)
        return 0;
    if (mode && std::strcmp(mode, "long") == 0) {
        char *buffers[] = { title, ap, host, smtp, userId, password, apop };
        const int sizes[] = { titleSize, apSize, hostSize, smtpSize, userIdSize, passwordSize, apopSize };
        for (int i = 0; i < 7; ++i)
            std::memset(buffers[i], 'x', std::size_t(sizes[i]));
        return 1;
    }
    put(title, titleSize, "\xe4\xbc\x9a\xe7\xa4\xbe"); // 会社
    put(ap, apSize, "Office");
    put(host, hostSize, " pop.office.example ");
    put(smtp, smtpSize, "");
    put(userId, userIdSize, "ken");
    put(password, passwordSize, "p@ss word");
    put(apop, apopSize, "1");
    return 1;
}
