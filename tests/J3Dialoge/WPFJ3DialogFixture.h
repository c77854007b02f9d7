#pragma once
#include "PracticeFixture.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <sys/types.h>

// Who runs a program: workstation number and user id as the identity gives them.
struct SProgramUser {
    const char* workstation;
    const char* user;
};

// A practice database in a temporary folder, and programs of the suite that
// run on it, each in a process of its own. Every program reads the module's
// per-process settings (the placement switch, whether notes are kept per
// user) anew, as a program that starts on a workstation does, and two
// programs can run at the same time as on two workstations.
//
// This process opens the database only inside WithDatabase, so that no open
// connection is ever copied into a program's process.
class WPFJ3DialogFixture : public PracticeFixture {
protected:
    void SetUp() override;

    // Starts body in a new process as a program of that user on that
    // workstation: the database open, a Qt application and a box answerer in
    // place. Failures inside the body fail the program.
    pid_t StartProgram(const SProgramUser& who, const std::function<void()>& body);
    // The program's wait status.
    static int WaitForProgram(pid_t program);
    // Starts the program and expects it to end without failures.
    void RunProgram(const SProgramUser& who, const std::function<void()>& body);

    // Runs work with the practice database open in this process.
    void WithDatabase(const std::function<void()>& work);
    void Execute(const char* sql);
    bool IsDatabaseIntact();
    void SetParameter(const std::string& number, const std::string& key, const std::string& value);
    // The same in a program, on its open database.
    static void WriteParameter(const std::string& number, const std::string& key, const std::string& value);
    // The parameter-pool records of that number whose key starts with the
    // prefix: key -> value.
    std::map<std::string, std::string> Parameters(const std::string& number, const std::string& keyPrefix);
    // The practice-wide eInfo permission.
    void SetEInfoPermission(int permission);
    // The files of the store below a folder: path -> content.
    std::map<std::string, std::string> StoredFiles(const std::string& folder);
    void StoreFile(const std::string& path, const std::string& content);

    // In a program: calls action whenever a row is inserted into or deleted
    // from the table (event "INSERT" or "DELETE") and the SQL condition on
    // NEW or OLD holds, inside the statement that does it. Texts are stored
    // as BLOBs: a condition compares CAST(NEW.column AS TEXT).
    static void HookStatement(const char* event, const char* table, const char* condition,
                              std::function<void()> action);
    // In a program: such a statement fails with the reason text instead.
    static void FailStatement(const char* event, const char* table, const char* condition, const char* reason);
};
