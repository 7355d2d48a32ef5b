#pragma once

// Brings the program-wide records into being from the start folder
// (AmbienteLavoro().CartellaAvvio, set by the caller): the program's constants, the
// configuration file Fascola.ini (the set-up dialog writes it when missing), the case-file
// archive (created when missing, upgraded otherwise), the version check, the invoicing
// parameters and notes of the AmbienteFascola row (the parameters dialog defines them at
// the first run) and the accounting archive. Runs whole at every call.
//
// An archive that Fascola.ini names and that can be neither opened nor created there (its
// folder gone or a share not connected, a folder or a file of another kind in its place, a
// folder where nothing can be written, a creation that failed) is told in one message naming
// it and why, and the set-up dialog follows on the configuration in force: confirmed, its new
// Fascola.ini replaces the old one and the routine goes on with it. So at every call (the
// main window's load, the catalogue's, the linking dialog's CONFERMA) the program either goes
// on with an archive or ends.
//
// Ends the program through TerminaProgramma when the set-up dialog is not confirmed and
// when Fascola.ini records a newer program (refused whatever archive it names). A failing
// statement goes to the error handler; leaving ends the routine with the records as far as
// they were set.
void DefinizioneValoriDefault();
