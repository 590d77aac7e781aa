-- The statements the program sends to the general database, with sample
-- values.  Run on the demo general database as an ordinary user.
SET LIST ON;

select usua_nombre from usuario where usua_cod = 'RECEPCION';
select usua_admin from usuario where usua_cod = 'RECEPCION';
select * from compania where comp_cod in (select comp_cod from compania_usuario where usua_cod = 'RECEPCION');
select * from usuario where usua_cod = 'RECEPCION';
select * from compania where comp_cod = '001';
SELECT C.USUA_COD, USUA_NOMBRE FROM USUARIO U, COMPANIA_USUARIO C WHERE U.USUA_COD = C.USUA_COD AND C.COMP_COD = '001';
select usua_cod, usua_nombre from usuario where usua_cod = 'ADMIN';

-- new company: the company row goes in before its user link
insert into compania (COMP_COD, COM_NOMBRE, COMP_NIT, COMP_LOGO, COMP_DIR, COMP_TELS, COMP_ENCABEZADO) values ('002', 'SEDE NORTE', '900555444', NULL, 'CALLE 140', '555', 'SEDE NORTE');
insert into compania_usuario (comp_cod, usua_cod) values ('002', 'ADMIN');
-- company record: the code may be changed, the links follow
update compania set comp_cod = '003' where comp_cod = '002';
select count(*) from compania_usuario where comp_cod = '003';
-- company deletion
delete from compania_usuario where comp_cod = '003';
delete from compania where comp_cod = '003';

COMMIT;
