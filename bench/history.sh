#!/usr/bin/env bash
# history.sh DATABASE [YEARS]: fills DATABASE (a copy: the file is changed in place) with YEARS (default 20)
# of a foundry's finished work before this year, so that the benchmarks can be run on a database with
# history: each year 5,000 orders of 2 jobs (closed, calculated), 5 performances, a hand-over, 2 stock
# movements and 2 day-plan rows a job, and a delivery note an order; 600 products of their own, so that a
# product has had some 330 jobs in 20 years. The index statistics are refreshed at the end, as after a
# restore. Run by hand, not by the test suite; 20 years (200,000 jobs) take a few minutes.
# The stock-keeping triggers are off while the history is written: it is in balance, today's stock stays.
set -euo pipefail

usage() { echo "usage: history.sh DATABASE [YEARS]" >&2; exit 2; }
[ $# -ge 1 ] && [ $# -le 2 ] || usage
path=$1
years=${2:-20}
[[ "$years" =~ ^[0-9]+$ ]] && [ "$years" -ge 1 ] && [ "$years" -le 90 ] || usage
[ -f "$path" ] || { echo "history.sh: $path is not a database file" >&2; exit 1; }

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
# shellcheck source=../database/embedded.sh
source "$here/../database/embedded.sh" history.sh

run() {
  LC_ALL=C.UTF-8 "$isql" -q -bail -user SYSDBA -ch UTF8 "$path" 2>&1
}

# The triggers off, the history's own products.
run <<'EOF'
ALTER TRIGGER MPOHYBY_AI INACTIVE;
ALTER TRIGGER SODVODY_AI INACTIVE;
ALTER TRIGGER EDLISTYD_AI INACTIVE;
COMMIT;
SET TERM ^ ;
EXECUTE BLOCK AS
DECLARE P INTEGER = 1;
BEGIN
  WHILE (P <= 600) DO BEGIN
    UPDATE OR INSERT INTO POLOZKY (C_POL, TYP1, NAZOV, MATERIAL, VAHA1, VAHA_MAT, CENA_KALK, CENA_PRED)
      VALUES ('HV' || LPAD(:P, 4, '0'), 'V', 'Odliatok ' || :P, 'GG20', 1 + MOD(:P, 40), 2 + MOD(:P, 40), 10, 20)
      MATCHING (C_POL);
    P = P + 1;
  END
END^
SET TERM ; ^
COMMIT;
EOF

this_year=$(date +%Y)
start=$(date +%s)
for ((k = years; k >= 1; k--)); do
  year=$((this_year - k))
  run <<EOF
SET TERM ^ ;
EXECUTE BLOCK AS
DECLARE YY INTEGER = $((year % 100));
DECLARE DAY0 DATE = DATE '$year-01-01';
DECLARE N INTEGER = 1;
DECLARE J INTEGER;
DECLARE K INTEGER;
DECLARE C_INT INTEGER;
DECLARE C_OBJ VARCHAR(15);
DECLARE C_VYR CHAR(15);
DECLARE C_ODB INTEGER;
DECLARE D DATE;
BEGIN
  WHILE (N <= 4999) DO BEGIN
    C_OBJ = 'ZAK' || LPAD(YY, 2, '0') || LPAD(N, 4, '0');
    C_ODB = 1 + MOD(N, 40);
    D = DATEADD(MOD(N * 7, 330) DAY TO DAY0);
    INSERT INTO ZAKAZKY (C_OBJ, TYP_OBJ, C_ODB, ODBERATEL, D_OBJ, D_VYSTAV, VYSTAVIL, MENA)
      VALUES (:C_OBJ, 'Z', :C_ODB, (SELECT ODBERATEL FROM CODBERATELOV WHERE C_ODB = :C_ODB), :D, :D, 'SYSDBA',
              'EUR');
    INSERT INTO EDLISTY (C_DL, C_ODB, C_OBJ, D_OBJ, D_VYSTAV, VYSTAVIL, KURZ, MENA, C_FAKTURY)
      VALUES (:YY * 10000 + :N, :C_ODB, :C_OBJ, :D, DATEADD(30 DAY TO :D), 'SYSDBA', 1, 'EUR',
              'F' || LPAD(:YY, 2, '0') || LPAD(:N, 4, '0'));
    J = 0;
    WHILE (J < 2) DO BEGIN
      C_INT = YY * 10000 + 2 * N - 1 + J;
      C_VYR = 'HV' || LPAD(1 + MOD(C_INT * 7 + J, 600), 4, '0');
      INSERT INTO ZAKAZKYD (C_INT, C_OBJ, C_VYR, MNOZ_OBJ, MNOZ_VYR, TERMIN_OBJ, TERMIN, STAV_ZAK, C_REV, C_INT_RE,
                            C_DAVKY)
        VALUES (:C_INT, :C_OBJ, :C_VYR, 100, 100, DATEADD(28 DAY TO :D), DATEADD(28 DAY TO :D), 100, 0, 0, 1);
      INSERT INTO ZAKKALK (C_INT, MATERIAL, CENA_MAT, VAHA_MAT, VAHA1, P_PREPALU, OVN1, MIM1, MENA, KURZ, CENA1,
                           CENA_KURZ1, KOEF_MAT, KOEF_DOP, PRID_MAT1, PRID_DOP1)
        VALUES (:C_INT, 'GG20', 1, 3, 2, 6, 0, 0, 'EUR', 1, 12.5, 0, 0, 0, 0, 0);
      K = 1;
      WHILE (K <= 5) DO BEGIN
        INSERT INTO SVYKONY (DATUM, ZMENA, OSC, C_INT, C_DAVKY, C_OPERACIE, OPERACIA, MNOZSTVO, NORMA, MZDA, NHOD)
          VALUES (DATEADD(:K + 2 DAY TO :D), 1, 1 + MOD(:C_INT + :K, 60), :C_INT, 1, :K * 10, 'O' || :K, 100, 50,
                  20, 2);
        K = K + 1;
      END
      INSERT INTO SPLAND (DATUM, C_INT, C_OPERACIE, PRACOVISKO, MNOZ_PLAN, NHOD_PLAN)
        VALUES (DATEADD(3 DAY TO :D), :C_INT, 10, 'FORM', 100, 2);
      INSERT INTO SPLAND (DATUM, C_INT, C_OPERACIE, PRACOVISKO, MNOZ_PLAN, NHOD_PLAN)
        VALUES (DATEADD(5 DAY TO :D), :C_INT, 20, 'CIST', 100, 2);
      INSERT INTO SODVODY (DATUM, C_INT, C_DOKLADU, SKLAD, C_DAVKY, MNOZSTVO, KURZ, VAHA1, NAKL1, CENA1, MENA,
                           STAV_ODV)
        VALUES (DATEADD(20 DAY TO :D), :C_INT, MOD(:N, 30000), 'V1', 1, 100, 1, 2, 8, 12.5, 'EUR', 1);
      INSERT INTO EDLISTYD (C_DL, C_VYR, C_INT, C_RIADKU, SKLAD, MNOZ_VYR, CENA_KURZ1, NAKL1)
        VALUES (:YY * 10000 + :N, :C_VYR, :C_INT, :J + 1, 'V1', 100, 12.5, 8);
      INSERT INTO MPOHYBY (DATUM, C_DOKLADU, TYP_POHYBU, SKLAD, C_POL, MNOZSTVO, CENA_NAKL, C_INT, VYSTAVIL)
        VALUES (DATEADD(20 DAY TO :D), :N, 10, 'V1', :C_VYR, 100, 8, :C_INT, 'SYSDBA');
      INSERT INTO MPOHYBY (DATUM, C_DOKLADU, TYP_POHYBU, SKLAD, C_POL, MNOZSTVO, CENA_NAKL, C_INT, VYSTAVIL)
        VALUES (DATEADD(30 DAY TO :D), :N, 20, 'V1', :C_VYR, -100, 8, :C_INT, 'SYSDBA');
      J = J + 1;
    END
    N = N + 1;
  END
END^
SET TERM ; ^
COMMIT;
EOF
  echo "history.sh: $year written ($(($(date +%s) - start)) s)"
done

run <<'EOF'
ALTER TRIGGER MPOHYBY_AI ACTIVE;
ALTER TRIGGER SODVODY_AI ACTIVE;
ALTER TRIGGER EDLISTYD_AI ACTIVE;
COMMIT;
SET TERM ^ ;
EXECUTE BLOCK AS
DECLARE N VARCHAR(63);
BEGIN
  FOR SELECT TRIM(RDB$INDEX_NAME) FROM RDB$INDICES WHERE COALESCE(RDB$SYSTEM_FLAG, 0) = 0 INTO :N DO
    EXECUTE STATEMENT 'SET STATISTICS INDEX "' || N || '"';
END^
SET TERM ; ^
COMMIT;
EOF
echo "history.sh: $years years in $(($(date +%s) - start)) s"
