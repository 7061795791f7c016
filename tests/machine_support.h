#pragma once
// What a machine may refuse a test: a second user, a mount namespace of its own, the time-zone
// data a test was written for. Each gives "" when the machine allows it, otherwise the reason the
// test reports when it skips.
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <string>
#include <vector>

namespace tovel::test {

// Acting as the user `nobody` (uid and gid 65534): root only, and not where that user does not
// exist for the kernel (a user namespace without it).
inline std::string WhyNoSecondUser() {
    if (::geteuid() != 0) return "needs root to act as a second user";
    const pid_t pid = ::fork();
    if (pid == 0) ::_exit(::setgid(65534) == 0 && ::setuid(65534) == 0 ? 0 : 1);
    int status = 0;
    ::waitpid(pid, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0
               ? ""
               : "this machine refuses root the user 65534 (nobody)";
}

// A private mount namespace with a /proc of its own, as `unshare` makes it: a chroot or a
// container may refuse it ("cannot change root filesystem propagation").
inline std::string WhyNoPrivateMount() {
    if (::geteuid() != 0) return "needs root for a mount namespace";
    FILE* p = ::popen(
        "unshare --mount --propagation private sh -c "
        "'mount -t tmpfs none /proc' 2>&1",
        "r");
    if (!p) return "cannot run unshare";
    std::string out;
    char buffer[256];
    while (std::fgets(buffer, sizeof buffer, p)) out += buffer;
    const int status = ::pclose(p);
    return status == 0 ? "" : "no private mount namespace here: " + out;
}

// The days of `year` on which `zone` changes its UTC offset (month * 100 + day of the first noon,
// UTC, with the new offset), as the C library reads the time-zone data.
inline std::vector<int> ZoneChanges(const std::string& zone, int year) {
    const char* was = std::getenv("TZ");
    const std::string old = was ? was : "";
    ::setenv("TZ", (":" + zone).c_str(), 1);
    ::tzset();
    std::vector<int> changes;
    long last = 0;
    std::tm day{};
    day.tm_mday = 1;
    day.tm_year = year - 1900;
    for (std::time_t t = ::timegm(&day) + 43200;; t += 86400) {
        std::tm utc{}, local{};
        ::gmtime_r(&t, &utc);
        if (utc.tm_year != year - 1900) break;
        ::localtime_r(&t, &local);
        if (utc.tm_yday > 0 && local.tm_gmtoff != last)
            changes.push_back((utc.tm_mon + 1) * 100 + utc.tm_mday);
        last = local.tm_gmtoff;
    }
    was ? ::setenv("TZ", old.c_str(), 1) : ::unsetenv("TZ");
    ::tzset();
    return changes;
}

// Whether the time-zone data here serve a test written for `zone` changing its clocks on
// `changes` of `year` (as ZoneChanges gives them): missing data, or a rule newer or older than
// the test, is a reason to skip.
inline std::string WhyNotZoneRules(const std::string& zone, int year,
                                   const std::vector<int>& changes) {
    if (!std::filesystem::is_regular_file("/usr/share/zoneinfo/" + zone))
        return "no time-zone data for " + zone + " (tzdata)";
    if (ZoneChanges(zone, year) == changes) return "";
    return "the time-zone data here change the clocks of " + zone + " in " + std::to_string(year) +
           " on other days than this test was written for";
}

}  // namespace tovel::test
