#pragma once

// Brings the program-wide records into being from the start folder
// (AmbienteLavoro().CartellaAvvio, set by the caller): the program's constants, the
// configuration file Fascola.ini (the set-up dialog writes it when missing), the case-file
// archive (created when missing, upgraded otherwise), the version check, the invoicing
// parameters and notes of the AmbienteFascola row (the parameters dialog defines them at
// the first run) and the accounting archive. Runs whole at every call.
//
// Ends the program through TerminaProgramma when the set-up dialog is not confirmed and
// when Fascola.ini records a newer program. A failing statement goes to the error handler;
// leaving ends the routine with the records as far as they were set.
void DefinizioneValoriDefault();
