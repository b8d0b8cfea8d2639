// Start-up benchmark: how long from CreateProcess until the main window is visible (what a
// person first sees) and until the process waits for input (idle), for the program, for a bare
// window and for a styled window (the bare one with the common controls, the manifest, a text
// box and two buttons), started in turn, each on a desktop at rest. Also: "..." to the examples
// window visible and idle, and the "Uccelli" fill.
//   StartupBenchmark PROGRAM.exe BARE.exe STYLED.exe [RUNS]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

double Now()
{
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER counter;
    QueryPerformanceCounter(&counter);
    return 1000.0 * static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

struct Search {
    DWORD ProcessId;
    const wchar_t* Title; // nullptr: any title
    HWND Found;
};

BOOL CALLBACK FindVisible(HWND window, LPARAM data)
{
    auto* search = reinterpret_cast<Search*>(data);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != search->ProcessId || !IsWindowVisible(window) || GetWindow(window, GW_OWNER))
        return TRUE;
    wchar_t title[128] = {};
    GetWindowTextW(window, title, 128);
    if (search->Title && wcscmp(title, search->Title) != 0)
        return TRUE;
    search->Found = window;
    return FALSE;
}

HWND WaitForWindow(DWORD processId, const wchar_t* title, bool owned = false)
{
    const double end = Now() + 30000;
    while (Now() < end) {
        Search search{processId, title, nullptr};
        if (owned) {
            // The examples window is owned by the search window: look for it by title.
            HWND window = FindWindowW(nullptr, title);
            if (window && IsWindowVisible(window))
                return window;
        } else {
            EnumWindows(FindVisible, reinterpret_cast<LPARAM>(&search));
            if (search.Found)
                return search.Found;
        }
        Sleep(1);
    }
    return nullptr;
}

struct Launch {
    PROCESS_INFORMATION Process{};
    HWND Window = nullptr;
    double Visible = 0; // milliseconds from CreateProcess
    double Idle = 0;
};

Launch Start(const std::wstring& exe)
{
    Launch launch;
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    std::wstring commandLine = L"\"" + exe + L"\"";
    const double start = Now();
    if (!CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &launch.Process)) {
        std::fwprintf(stderr, L"cannot start %ls\n", exe.c_str());
        std::exit(1);
    }
    launch.Window = WaitForWindow(launch.Process.dwProcessId, nullptr);
    launch.Visible = Now() - start;
    WaitForInputIdle(launch.Process.hProcess, 30000);
    launch.Idle = Now() - start;
    return launch;
}

void Stop(Launch& launch)
{
    PostMessageW(launch.Window, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(launch.Process.hProcess, 30000) != WAIT_OBJECT_0)
        TerminateProcess(launch.Process.hProcess, 1);
    CloseHandle(launch.Process.hThread);
    CloseHandle(launch.Process.hProcess);
    // Each start is timed on a desktop at rest, as a person starts a program: for a while after
    // a process has ended, the window manager and Wine are still taking its window down, and a
    // start right then was measured up to a third slower, more so after a short-lived window.
    Sleep(500);
}

struct Figures {
    double Median, Min, Max;
};

Figures Summarise(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    const double median = n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
    return {median, values.front(), values.back()};
}

// "..." to the examples window visible and idle, then "Uccelli" to its 94 entries listed.
void TimeExamples(Launch& launch, std::vector<double>& opening, std::vector<double>& filling)
{
    HWND picture = GetWindow(launch.Window, GW_CHILD);
    HWND button = FindWindowExW(picture, nullptr, L"Button", L"...");
    if (!button)
        return;
    const double start = Now();
    PostMessageW(button, BM_CLICK, 0, 0);
    HWND examples = WaitForWindow(launch.Process.dwProcessId, L"Info Sul Programma", true);
    WaitForInputIdle(launch.Process.hProcess, 30000);
    opening.push_back(Now() - start);
    HWND list = FindWindowExW(examples, nullptr, L"ListBox", nullptr);
    Sleep(300); // a person clicks a category a moment after the window appears, not at once

    const double fillStart = Now();
    const LPARAM uccelli = MAKELPARAM(20, 15);
    PostMessageW(examples, WM_LBUTTONDOWN, MK_LBUTTON, uccelli);
    PostMessageW(examples, WM_LBUTTONUP, 0, uccelli);
    while (SendMessageW(list, LB_GETCOUNT, 0, 0) < 94 && Now() - fillStart < 30000)
        Sleep(0);
    filling.push_back(Now() - fillStart);
    PostMessageW(examples, WM_CLOSE, 0, 0);
    const double end = Now() + 10000;
    while (IsWindow(examples) && Now() < end)
        Sleep(1);
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc < 4) {
        std::fwprintf(stderr, L"usage: StartupBenchmark PROGRAM.exe BARE.exe STYLED.exe [RUNS [EARLIER.exe]]\n");
        return 2;
    }
    const int runs = argc > 4 ? std::max(1, _wtoi(argv[4])) : 15;
    struct Subject {
        const char* Name;
        std::wstring Exe;
        std::vector<Launch> Launches;
    };
    // An earlier build of the program, when given, is started in turn with the others: a change
    // measured before and after in one run, on one desktop.
    std::vector<Subject> subjects = {{"Dide Quorvel", argv[1], {}}, {"bare window", argv[2], {}}, {"styled window", argv[3], {}}};
    if (argc > 5)
        subjects.push_back({"earlier Dide Quorvel", argv[5], {}});
    Subject &program = subjects[0], &bare = subjects[1], &styled = subjects[2];

    // Warm-up: the first start of each pays for loading from disk.
    for (Subject& subject : subjects) {
        Launch launch = Start(subject.Exe);
        Stop(launch);
    }

    std::vector<double> opening, filling;
    for (int i = 0; i < runs; ++i) {
        for (Subject& subject : subjects) {
            Launch launch = Start(subject.Exe);
            if (&subject == &program)
                TimeExamples(launch, opening, filling);
            Stop(launch);
            subject.Launches.push_back(launch);
        }
    }

    std::printf("start-up, %d runs each, in turn: ms from CreateProcess, median (min-max)\n", runs);
    const struct {
        const char* Name;
        double Launch::*Time;
    } moments[] = {{"visible", &Launch::Visible}, {"idle", &Launch::Idle}};
    struct Ratio {
        const char* Name;
        const Subject &Ours, &Theirs;
    };
    std::vector<Ratio> ratios = {{"Dide Quorvel / bare", program, bare},
                                 {"styled / bare", styled, bare},
                                 {"Dide Quorvel / styled", program, styled}};
    if (subjects.size() > 3)
        ratios.push_back({"Dide Quorvel / earlier", program, subjects[3]});
    for (const auto& moment : moments) {
        const auto times = [&](const Subject& subject) {
            std::vector<double> values;
            for (const Launch& launch : subject.Launches)
                values.push_back(launch.*moment.Time);
            return values;
        };
        std::printf("  window %s\n", moment.Name);
        for (const Subject& subject : subjects) {
            const Figures f = Summarise(times(subject));
            std::printf("    %-27s %7.1f (%.1f-%.1f)\n", subject.Name, f.Median, f.Min, f.Max);
        }
        for (const auto& ratio : ratios) {
            const std::vector<double> ours = times(ratio.Ours), theirs = times(ratio.Theirs);
            std::vector<double> pairs;
            for (size_t i = 0; i < ours.size(); ++i)
                pairs.push_back(ours[i] / theirs[i]);
            const Figures f = Summarise(pairs);
            std::printf("    ratio %-21s %7.2f (%.2f-%.2f)\n", ratio.Name, f.Median, f.Min, f.Max);
        }
    }
    if (!opening.empty()) {
        std::printf("examples window (\"...\" to visible and idle)   median %7.1f ms\n", Summarise(opening).Median);
        std::printf("filling the list with \"Uccelli\" (94 entries)  median %7.1f ms\n", Summarise(filling).Median);
    }
    return 0;
}
