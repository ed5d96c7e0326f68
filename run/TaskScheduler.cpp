#include "TaskScheduler.h"

#include "Com.h"
#include "FileSystem.h"
#include "PathText.h"
#include "Product.h"

#include <windows.h>
#include <mstask.h>

#include <algorithm>

namespace {

// The scheduler's answer where the task is not there, or its folder not yet.
bool NoTask(HRESULT result) {
    return result == HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND) ||
           result == HRESULT_FROM_WIN32(ERROR_PATH_NOT_FOUND);
}

// A string the scheduler allocated, freed when it goes.
struct TaskText {
    ~TaskText() { CoTaskMemFree(text); }
    wchar_t* text = nullptr;
};

std::wstring UserName() {
    wchar_t user[257];
    DWORD size = 257;
    return GetUserNameW(user, &size) ? user : L"";
}

// A dot would read as the start of the work item's extension: a user's "john.smith" is
// "john_smith" here.
std::wstring TaskName() {
    std::wstring user = UserName();
    std::replace(user.begin(), user.end(), L'.', L'_');
    return fs::FromUtf8(VX_PRODUCT_NAME) + L" shred (" + user + L")";
}

// The scheduler's service reads a work item's file when it changes, and a removal meanwhile is
// refused: it is tried again for a second.
HRESULT DeleteTask(ITaskScheduler* scheduler, const std::wstring& name) {
    HRESULT result = scheduler->Delete(name.c_str());
    for (int tries = 0; tries < 20 && result == HRESULT_FROM_WIN32(ERROR_SHARING_VIOLATION);
         ++tries) {
        Sleep(50);
        result = scheduler->Delete(name.c_str());
    }
    return result;
}

std::string Fault(const char* what, HRESULT result) {
    char code[16];
    wsprintfA(code, "0x%08lX", static_cast<unsigned long>(result));
    return std::string(what) + " (" + code + ")";
}

TASK_TRIGGER TriggerOf(const ScheduledRun& run) {
    SYSTEMTIME today;
    GetLocalTime(&today);
    TASK_TRIGGER trigger = {};
    trigger.cbTriggerSize = sizeof trigger;
    trigger.wBeginYear = today.wYear;
    trigger.wBeginMonth = today.wMonth;
    trigger.wBeginDay = today.wDay;
    trigger.wStartHour = WORD(run.hour);
    trigger.wStartMinute = WORD(run.minute);
    switch (run.kind) {
    case ScheduleKind::Daily:
        trigger.TriggerType = TASK_TIME_TRIGGER_DAILY;
        trigger.Type.Daily.DaysInterval = 1;
        break;
    case ScheduleKind::Weekly:
        trigger.TriggerType = TASK_TIME_TRIGGER_WEEKLY;
        trigger.Type.Weekly.WeeksInterval = 1;
        trigger.Type.Weekly.rgfDaysOfTheWeek = WORD(TASK_SUNDAY << run.weekday);
        break;
    case ScheduleKind::Logon:
        trigger.TriggerType = TASK_EVENT_TRIGGER_AT_LOGON;
        break;
    }
    return trigger;
}

// The run a trigger stands for; false for a trigger nvc does not make.
bool RunOf(const TASK_TRIGGER& trigger, ScheduledRun& run) {
    run.hour = trigger.wStartHour;
    run.minute = trigger.wStartMinute;
    switch (trigger.TriggerType) {
    case TASK_TIME_TRIGGER_DAILY:
        run.kind = ScheduleKind::Daily;
        return true;
    case TASK_TIME_TRIGGER_WEEKLY:
        run.kind = ScheduleKind::Weekly;
        for (run.weekday = 0; run.weekday < 7; ++run.weekday)
            if (trigger.Type.Weekly.rgfDaysOfTheWeek & (TASK_SUNDAY << run.weekday))
                return true;
        return false;
    case TASK_EVENT_TRIGGER_AT_LOGON:
        run.kind = ScheduleKind::Logon;
        return true;
    default:
        return false;
    }
}

// The scheduler of this machine, reached by the calling thread.
class Scheduler {
public:
    Scheduler() {
        const HRESULT result = CoCreateInstance(CLSID_CTaskScheduler, nullptr, CLSCTX_INPROC_SERVER,
                                                IID_ITaskScheduler, m_scheduler.PutVoid());
        if (FAILED(result))
            m_fault = Fault("the Task Scheduler is not there", result);
    }

    ITaskScheduler* operator->() const { return m_scheduler.Get(); }
    ITaskScheduler* Get() const { return m_scheduler.Get(); }
    explicit operator bool() const { return bool(m_scheduler); }
    const std::string& fault() const { return m_fault; }

private:
    ComApartment m_apartment;
    ComPtr<ITaskScheduler> m_scheduler;
    std::string m_fault;
};

// The work item's program, arguments, trigger and account, saved to the scheduler's folder.
HRESULT Define(ITask* task, const ScheduledRun& run, const std::wstring& program) {
    std::vector<std::string> arguments = {"shred"};
    arguments.insert(arguments.end(), run.arguments.begin(), run.arguments.end());
    const std::wstring parameters = fs::FromAnsi(CommandLineOf(arguments).c_str());
    const std::wstring folder = program.substr(0, path::NameStart(program));
    WORD index = 0;
    ComPtr<ITaskTrigger> trigger;
    ComPtr<IPersistFile> file;
    TASK_TRIGGER when = TriggerOf(run);
    HRESULT result = task->SetApplicationName(program.c_str());
    if (SUCCEEDED(result))
        result = task->SetParameters(parameters.c_str());
    if (SUCCEEDED(result))
        result = task->SetWorkingDirectory(folder.c_str());
    if (SUCCEEDED(result))
        result = task->SetFlags(TASK_FLAG_RUN_ONLY_IF_LOGGED_ON);
    if (SUCCEEDED(result))
        result = task->SetMaxRunTime(INFINITE);
    if (SUCCEEDED(result))
        result = task->SetAccountInformation(UserName().c_str(), nullptr);
    if (SUCCEEDED(result))
        result = task->CreateTrigger(&index, trigger.Put());
    if (SUCCEEDED(result))
        result = trigger->SetTrigger(&when);
    if (SUCCEEDED(result))
        result = task->QueryInterface(IID_IPersistFile, file.PutVoid());
    if (SUCCEEDED(result))
        result = file->Save(nullptr, TRUE);
    return result;
}

} // namespace

bool RegisterScheduledRun(const ScheduledRun& run, const std::wstring& program,
                          std::string& fault) {
    const Scheduler scheduler;
    if (!scheduler) {
        fault = scheduler.fault();
        return false;
    }
    const std::wstring name = TaskName();
    DeleteTask(scheduler.Get(), name);
    ComPtr<ITask> task;
    HRESULT result = scheduler->NewWorkItem(name.c_str(), CLSID_CTask, IID_ITask,
                                            reinterpret_cast<IUnknown**>(task.Put()));
    if (SUCCEEDED(result))
        result = Define(task.Get(), run, program);
    if (SUCCEEDED(result))
        return true;
    DeleteTask(scheduler.Get(), name);
    fault = Fault("the Task Scheduler refused the task", result);
    return false;
}

FoundSchedule FindScheduledRun() {
    const Scheduler scheduler;
    FoundSchedule found;
    if (!scheduler) {
        found.fault = scheduler.fault();
        return found;
    }
    ComPtr<ITask> task;
    const HRESULT result = scheduler->Activate(TaskName().c_str(), IID_ITask,
                                               reinterpret_cast<IUnknown**>(task.Put()));
    found.asked = SUCCEEDED(result) || NoTask(result);
    if (!found.asked)
        found.fault = Fault("the Task Scheduler did not tell its task", result);
    if (FAILED(result))
        return found;
    ComPtr<ITaskTrigger> trigger;
    TASK_TRIGGER when = {};
    when.cbTriggerSize = sizeof when;
    TaskText parameters;
    ScheduledRun run;
    if (SUCCEEDED(task->GetTrigger(0, trigger.Put())) && SUCCEEDED(trigger->GetTrigger(&when)) &&
        SUCCEEDED(task->GetParameters(&parameters.text)) && RunOf(when, run))
        found.description = "Shreds " + ScheduleText(run) + ": nvc " + fs::ToUtf8(parameters.text);
    else
        found.description = "A scheduled shred that nvc did not set up as it stands";
    return found;
}

bool RemoveScheduledRun(bool& removed, std::string& fault) {
    const Scheduler scheduler;
    removed = false;
    if (!scheduler) {
        fault = scheduler.fault();
        return false;
    }
    const HRESULT result = DeleteTask(scheduler.Get(), TaskName());
    if (NoTask(result))
        return true;
    if (FAILED(result)) {
        fault = Fault("the Task Scheduler did not remove the task", result);
        return false;
    }
    removed = true;
    return true;
}
