#pragma once

// Hands the host's text operations to the foundation's wide strings, and the tables to the
// export engine; called once the tables are filled.
void installHostTables();
