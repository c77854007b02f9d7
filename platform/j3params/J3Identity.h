#pragma once
#include <string>

// Who is running: the identity under which a program of the suite works in the
// practice database. Numbers are decimal texts without padding; the database
// layer pads them where its records need it.
struct SJ3Identity {
    std::string workstation; // workstation number (1 to 999)
    std::string user;        // user id
    std::string progId;      // identifier of the running program (free text)
    std::string instance;    // instance of the program on this workstation
    std::string praxis;      // practice id (free text)
    std::string mandant;     // Mandant id
    std::string task;        // task id, by default the process id
};
