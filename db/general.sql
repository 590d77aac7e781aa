-- =====================================================================
-- General database (datos/general.fdb): users, companies and the links
-- between them.  Created with default character set UTF8, dialect 3.
-- Run over a UTF8 connection.  The program creates the file and then
-- executes this script statement by statement.
-- =====================================================================

-- One-character yes/no flag: 'S' = si, 'N' = no.
CREATE DOMAIN D_FLAG AS CHAR(1)
  CHECK (VALUE IS NULL OR VALUE IN ('S', 'N'));

-- Users known to the system.  USUA_COD is the login name in upper case;
-- the password is checked by the database server, not kept here.
CREATE TABLE USUARIO (
  USUA_COD     VARCHAR(12) NOT NULL,
  USUA_NOMBRE  VARCHAR(60),
  USUA_ADMIN   D_FLAG DEFAULT 'N',
  CONSTRAINT PK_USUARIO PRIMARY KEY (USUA_COD)
);

-- Working companies.  COMP_COD is also the name of the company folder
-- under datos/ (three characters).  COMP_LOGO holds a Windows bitmap.
CREATE TABLE COMPANIA (
  COMP_COD         CHAR(3) NOT NULL,
  COM_NOMBRE       VARCHAR(80),
  COMP_NIT         VARCHAR(20),
  COMP_LOGO        BLOB SUB_TYPE 0,
  COMP_DIR         VARCHAR(140),
  COMP_TELS        VARCHAR(140),
  COMP_ENCABEZADO  VARCHAR(140),
  CONSTRAINT PK_COMPANIA PRIMARY KEY (COMP_COD)
);

-- Companies each user may work in.
-- A company code changed in the company record follows into the links;
-- a company or user that still has links cannot be deleted (delete the
-- links first).
CREATE TABLE COMPANIA_USUARIO (
  COMP_COD  CHAR(3) NOT NULL,
  USUA_COD  VARCHAR(12) NOT NULL,
  CONSTRAINT PK_COMPANIA_USUARIO PRIMARY KEY (COMP_COD, USUA_COD),
  CONSTRAINT FK_COMPUSU_COMPANIA FOREIGN KEY (COMP_COD)
    REFERENCES COMPANIA (COMP_COD) ON UPDATE CASCADE,
  CONSTRAINT FK_COMPUSU_USUARIO FOREIGN KEY (USUA_COD)
    REFERENCES USUARIO (USUA_COD) ON UPDATE CASCADE
);

COMMIT;

-- Every user connects with his own login name: give all of them access
-- to the objects of this database (the application keeps its own rights).
SET TERM ^ ;
EXECUTE BLOCK AS
  DECLARE NOMBRE VARCHAR(63);
BEGIN
  FOR SELECT TRIM(RDB$RELATION_NAME) FROM RDB$RELATIONS
      WHERE COALESCE(RDB$SYSTEM_FLAG, 0) = 0 INTO :NOMBRE DO
    EXECUTE STATEMENT 'GRANT ALL ON ' || NOMBRE || ' TO PUBLIC';
END^
SET TERM ; ^

COMMIT;
