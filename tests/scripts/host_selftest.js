// Self-test of docket-host.exe and lib/assert.js; host_selftest.test.sh compares the output.
Response.Write("text|"); Response.Write(42); Response.Write("|"); Response.Write(true);
Response.Write("|"); Response.Write(null); Response.Write(2.5); Response.Write("|\u00e9\u20ac\n");
AssertThrows(function () { Host.Arguments(1); }, -2147352565, "Host.Arguments: no argument 1 (there are 1)",
    "Host.Arguments past the end, number signed");
AssertThrows(function () { throw new Error(1234, "thrown on purpose"); }, 1234, "thrown on purpose", "a thrown Error");
AssertThrows(function () { Server.CreateObject("DocketHost.NoSuchClass"); }, 0x800401F3, undefined, "an unknown class");
AssertEqual(Request.ServerVariables("DOCKET_HOST_UNSET_VARIABLE"), undefined, "ServerVariables of an unset variable");
ExpectChecks(4);
